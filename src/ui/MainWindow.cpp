#include "ui/MainWindow.h"

#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/Aufloesung.h"
#include "ui/Bildschirm.h"
#include "ui/Info.h"
#include "ui/Iterationen.h"
#include "ui/MainMenu.h"
#include "ui/ObjektManager.h"

namespace {
// Asked for so that the window system grants the largest area it can.
constexpr int kLargestRequest = 10000;
}  // namespace

MainWindow::MainWindow(platform::Platform& platformToUse, platform::Window& mainWindow)
    : platform(platformToUse),
      window(mainWindow),
      picture(platform.CreateBitmap(0, 0)),
      settings(0, 0, 0),
      list(NewBackground()),
      mouseMode(std::make_unique<NoDrawingMode>()) {
    // The menu first: its bar takes part of the window's height.
    window.SetMenu(MainMenu(*this));
    window.SetEvents(this);
    window.SetClientWidth(kLargestRequest);
    window.SetClientHeight(kLargestRequest);
    settings = DefaultSettings();
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    window.SetCaption(settings.titel);
    RedrawAll();
}

MainWindow::~MainWindow() {
    window.SetEvents(nullptr);
    window.SetMenu({});
}

Tprgvar MainWindow::DefaultSettings() const {
    return Tprgvar(window.ClientHeight(), window.ClientWidth(), window.Color());
}

void MainWindow::RedrawAll() { list.RedrawAll(*picture, window.GetCanvas(), settings.hintergrundfarbe); }

void MainWindow::ChooseMouseMode(std::unique_ptr<MouseMode> mode) { mouseMode = std::move(mode); }

bool MainWindow::EditObject(Tszeneobjekt& object) {
    const bool confirmed = object.Edit(EditContext{platform, settings});
    settings.berechnet = false;
    return confirmed;
}

void MainWindow::NewScene() { StartAfresh(); }

void MainWindow::StartAfresh() {
    list.Clear(NewBackground());
    settings = DefaultSettings();
    displays = Displays{};
    mouseMode = std::make_unique<NoDrawingMode>();
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    RedrawAll();
}

void MainWindow::Quit() { window.Close(); }

void MainWindow::AddSun() {
    mouseMode = std::make_unique<NoDrawingMode>();
    settings.berechnet = false;
    list.Append(CreateObjectOfKind("sonne", 0, 0, 0, 0));
    EditObject(list.Tail());
    RedrawAll();
}

void MainWindow::EditBackground() {
    mouseMode = std::make_unique<NoDrawingMode>();
    EditObject(list.Head());
    RedrawAll();
}

void MainWindow::OpenObjectManager() {
    ObjectManager(list, EditContext{platform, settings});
    RedrawAll();
    settings.berechnet = false;
}

void MainWindow::ClearDisplays() { RedrawAll(); }

void MainWindow::DeleteAllObjects() {
    list.Clear(NewBackground());
    RedrawAll();
}

void MainWindow::EditResolution() { ResolutionDialog(platform, settings); }

void MainWindow::EditIterations() { IterationsDialog(platform, settings); }

void MainWindow::EditScreen() {
    ScreenDialog(platform, window, settings);
    // A new size starts the scene afresh, at that size.
    if (window.ClientWidth() != settings.breite || window.ClientHeight() != settings.hoehe) StartAfresh();
    RedrawAll();
}

void MainWindow::ShowInfo() { InfoDialog(platform, settings.titel); }

void MainWindow::DrawingAreaResized() {
    platform::ReportingErrors(platform, [&] {
        if (window.ClientWidth() == settings.breite && window.ClientHeight() == settings.hoehe) return;
        settings.breite = window.ClientWidth();
        settings.hoehe = window.ClientHeight();
        settings.berechnet = false;  // the frame's elements moved
        picture->SetSize(window.ClientWidth(), window.ClientHeight());
        RedrawAll();
    });
}

// The mouse: a press with the left button held, a move with it held (a drag)
// and the release of the left button go to the current mouse mode.

void MainWindow::MousePressed(platform::MouseButton, bool leftHeld, int x, int y) {
    if (!leftHeld) return;
    platform::ReportingErrors(platform, [&] { mouseMode->Press(*this, x, y); });
}

void MainWindow::MouseMoved(bool leftHeld, int x, int y) {
    platform::ReportingErrors(platform, [&] {
        window.GetCanvas().DrawBitmap(*picture);
        if (leftHeld) mouseMode->Drag(*this, x, y);
        window.SetCaption(settings.titel + " (X=" + std::to_string(x) + ",Y=" + std::to_string(y) + ")");
    });
}

void MainWindow::MouseReleased(platform::MouseButton button, int x, int y) {
    if (button != platform::MouseButton::Left) return;
    platform::ReportingErrors(platform, [&] { mouseMode->Release(*this, x, y); });
}
