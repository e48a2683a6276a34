// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <utility>

#include "files/ObjectSection.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "radiation/Calculation.h"
#include "ui/Help.h"
#include "ui/Info.h"
#include "ui/IterationsDialog.h"
#include "ui/MainMenu.h"
#include "ui/ObjektManager.h"
#include "ui/ResolutionDialog.h"
#include "ui/ScreenDialog.h"

namespace brevanto::ui {

using namespace model;
using namespace radiation;
using namespace objects;
using namespace display;
using namespace files;

namespace {}  // namespace

MainWindow::MainWindow(platform::Platform& platformToUse, platform::Window& mainWindow)
    : platform(platformToUse),
      window(mainWindow),
      picture(platform.CreateBitmap(0, 0)),
      settings(0, 0, 0),
      list(NewBackground()),
      mouseMode(std::make_unique<SelectMode>()),
      recovery(platform.DataFolder()) {
    // The menu first: its bar takes part of the window's height.
    window.SetMenu(MainMenu(*this));
    window.SetEvents(this);
    TakeWholeDrawingArea();
    settings = DefaultSettings();
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    window.SetCaption(settings.titel);
    history.Reset(StateText());
    UpdateStatus();
    RedrawAll();
}

MainWindow::~MainWindow() {
    // A program that ends normally leaves no copy behind.
    recovery.Remove();
    window.SetEvents(nullptr);
    window.SetMenu({});
}

void MainWindow::TakeWholeDrawingArea() {
    pictureFollowsArea = true;
    window.SetClientWidth(window.AreaWidth());
    window.SetClientHeight(window.AreaHeight());
    window.SetColor(platform::kButtonFaceColour);
}

Tprgvar MainWindow::DefaultSettings() const {
    return Tprgvar(window.ClientHeight(), window.ClientWidth(), window.Color());
}

std::string MainWindow::StateText() const { return SceneFileText(settings, displays, list, measuringLines).Text(); }

void MainWindow::RedrawAll() {
    list.RedrawAll(*picture, window.GetCanvas(), settings.hintergrundfarbe);
    shownDisplay = DisplayKind::None;
    singleStreamLines.clear();
    // While a display follows a drag, its last frame stays on the window
    // until the next one is done: the window is drawn again before it can
    // show the objects alone.
    if (liveFrameShown)
        RefreshWindow();
    else
        ShowSelection();
}

// The mode and the selection show on the window only: the picture, with any
// display on it, stays as it is.
void MainWindow::ChooseMouseMode(std::unique_ptr<MouseMode> mode) {
    mouseMode = std::move(mode);
    Select(nullptr);
    UpdateStatus();
}

void MainWindow::NoteChanges() {
    history.Note(StateText());
    FollowSceneChanges();
    UpdateStatus();
}

std::string MainWindow::ComputedSceneText() const { return SceneFileText(settings, Displays{}, list).Text(); }

void MainWindow::FollowSceneChanges() {
    std::string scene = ComputedSceneText();
    const bool changed = scene != resultsScene;
    FollowLineChanges(changed);
    if (!changed) return;
    resultsScene = std::move(scene);
    settings.berechnet = false;
    notConvergedPasses.reset();
    window.ClearMeasurement();
    readings.MarkOutOfDate();
    window.ShowReadings(readings.Table());
    if (shownDisplay != DisplayKind::None || !singleStreamLines.empty()) RedrawAll();
}

void MainWindow::UpdateStatus() {
    std::string file = sceneFile.empty() ? std::string("new scene") : sceneFile;
    if (history.Unsaved()) file += " (unsaved changes)";
    std::string status = "Mode: " + mouseMode->Description() + "    Scene: " + file;
    if (settings.berechnet && notConvergedPasses) status += "    " + NotConvergedNote(*notConvergedPasses);
    window.SetStatusText(status);
    window.UpdateMenuStates();
    if (history.Unsaved())
        recovery.Keep(history.Current());
    else
        recovery.Remove();
}

bool MainWindow::RestoreAbandonedScene() {
    const std::optional<platform::RecoveryFile::Abandoned> abandoned = recovery.TakeAbandoned();
    if (!abandoned) return false;
    std::tm local{};
    localtime_r(&abandoned->written, &local);
    char time[16];
    std::strftime(time, sizeof time, "%H:%M", &local);
    if (!platform.AskYesNo(std::string("Brevanto was not closed properly. Restore the scene of ") + time + "?"))
        return false;
    RestoreState(abandoned->text);
    NoteChanges();  // unsaved, and one step back to the empty scene
    return true;
}

bool MainWindow::EditObject(Tszeneobjekt& object) {
    const std::string before = SectionOf(object);
    const bool confirmed = object.Edit(EditContext{platform, settings});
    settings.berechnet = false;
    // What the dialog stored before it was cancelled goes again.
    if (!confirmed) LoadSection(object, before);
    return confirmed;
}

void MainWindow::NewScene() {
    if (!MayDiscardChanges()) return;
    // Whatever size and colour the last file gave the picture.
    TakeWholeDrawingArea();
    StartAfresh();
    sceneFile.clear();
    history.Reset(StateText());
    UpdateStatus();
}

void MainWindow::StartAfresh() {
    readings.Clear();
    measuringLines.clear();
    chosenLine.reset();
    list.Clear(NewBackground());
    selection.clear();
    settings = DefaultSettings();
    displays = Displays{};
    mouseMode = std::make_unique<SelectMode>();
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    RedrawAll();
    FollowSceneChanges();
}

void MainWindow::Quit() { window.Close(); }

bool MainWindow::IsUntouched() const { return sceneFile.empty() && list.size() == 1 && !history.CanUndo(); }

void MainWindow::ZoomIn() { window.ZoomView(platform::ViewZoom::In); }

void MainWindow::ZoomOut() { window.ZoomView(platform::ViewZoom::Out); }

void MainWindow::FitPicture() { window.ZoomView(platform::ViewZoom::Fit); }

bool MainWindow::CloseRequested() {
    // Not in the middle of a frame that follows a drag.
    if (liveFrameRunning) return false;
    bool mayClose = false;
    platform::ReportingErrors(platform, [&] { mayClose = MayDiscardChanges(); });
    return mayClose;
}

bool MainWindow::MayDiscardChanges() {
    if (!history.Unsaved()) return true;
    using platform::Control;
    using platform::ModalResult;
    const std::string question = sceneFile.empty()
                                     ? std::string("Save changes?")
                                     : "Save changes to " + std::filesystem::path(sceneFile).filename().string() + "?";
    platform::DialogSpec dialog{settings.titel,
                                {Control::Label(question), Control::Button("Save", ModalResult::Yes, true),
                                 Control::Button("Discard", ModalResult::No).Beside(),
                                 Control::Button("Cancel", ModalResult::Cancel).Beside()}};
    switch (platform.ShowModal(dialog)) {
        case ModalResult::Yes: return SaveSceneWithDialog();
        case ModalResult::No: return true;
        default: return false;
    }
}

void MainWindow::AddObjectOfKind(const std::string& keyword) {
    mouseMode = std::make_unique<SelectMode>();
    settings.berechnet = false;
    list.Append(CreateObjectOfKind(keyword, 0, 0, 0, 0));
    if (!EditObject(list.Tail())) list.Remove(list.size() - 1);
    RedrawAll();
    UpdateStatus();
}

void MainWindow::EditBackground() {
    mouseMode = std::make_unique<SelectMode>();
    EditObject(list.Head());
    RedrawAll();
    UpdateStatus();
}

void MainWindow::OpenObjectManager() {
    ObjectManager(list, platform,
                  {[this](Tszeneobjekt& object) {
                       const bool confirmed = EditObject(object);
                       RedrawAll();
                       return confirmed;
                   },
                   [this](Tszeneobjekt* object) { Select(object); }});
    RedrawAll();
}

void MainWindow::Undo() {
    if (const std::optional<std::string> state = history.Undo()) RestoreState(*state);
}

void MainWindow::Redo() {
    if (const std::optional<std::string> state = history.Redo()) RestoreState(*state);
}

void MainWindow::RestoreState(const std::string& state) {
    platform::TextFile file = platform::TextFile::FromText(state);
    SceneFileContents contents = ReadSceneFile(file, displays);
    AdoptScene(contents);
    RedrawAll();
    UpdateStatus();
}

void MainWindow::DeleteSelectedObject() {
    if (chosenLine) RemoveMeasuringLine(*chosenLine);
    for (size_t i = list.size(); i-- > 1;)
        if (IsSelected(&list[i])) list.Remove(i);
    selection.clear();
    RedrawAll();
}

void MainWindow::ClearDisplays() { RedrawAll(); }

void MainWindow::DeleteAllObjects() {
    if (!MayDiscardChanges()) return;
    list.Clear(NewBackground());
    selection.clear();
    RedrawAll();
}

void MainWindow::EditResolution() { ResolutionDialog(platform, settings); }

void MainWindow::EditIterations() { IterationsDialog(platform, settings); }

void MainWindow::EditScreen() {
    const platform::TColor colourBefore = settings.hintergrundfarbe;
    // The size typed in is the picture's, whatever the drawing area does.
    const bool following = std::exchange(pictureFollowsArea, false);
    ScreenDialog(platform, window, settings);
    if (window.ClientWidth() == settings.breite && window.ClientHeight() == settings.hoehe)
        pictureFollowsArea = following;
    // A new size starts the scene afresh, at that size; unless the user
    // would rather keep the unsaved scene.
    if (window.ClientWidth() != settings.breite || window.ClientHeight() != settings.hoehe) {
        if (MayDiscardChanges()) {
            StartAfresh();
        } else {
            settings.hintergrundfarbe = colourBefore;
            window.SetColor(colourBefore);
            window.SetClientWidth(settings.breite);
            window.SetClientHeight(settings.hoehe);
        }
    }
    RedrawAll();
}

void MainWindow::ShowInfo() { InfoDialog(platform, settings.titel); }

void MainWindow::ShowHelp() { HelpDialog(platform); }

void MainWindow::DrawingAreaResized() {
    platform::ReportingErrors(platform, [&] {
        if (!pictureFollowsArea || !IsUntouched()) return;
        window.SetClientWidth(window.AreaWidth());
        window.SetClientHeight(window.AreaHeight());
        if (window.ClientWidth() == settings.breite && window.ClientHeight() == settings.hoehe) return;
        settings.breite = window.ClientWidth();
        settings.hoehe = window.ClientHeight();
        picture->SetSize(window.ClientWidth(), window.ClientHeight());
        RedrawAll();
        FollowSceneChanges();  // the frame's elements moved
    });
}

// The mouse: a press with the left button held, a move with it held (a drag),
// the release of the left button and a double click go to the current mouse
// mode. Whatever they changed can be undone. While a frame of the display
// that follows a drag computes, the window system's events come in between
// (LiveFrameOutdated): a move or the release then only leaves its position
// for the frame's caller, and other presses go unanswered.

void MainWindow::MousePressed(platform::MouseButton, bool leftHeld, int x, int y, platform::HeldKeys keys) {
    if (liveFrameRunning) return;
    held = keys;
    if (!leftHeld) return;
    platform::ReportingErrors(platform, [&] {
        mouseMode->Press(*this, x, y);
        BeginLiveDrag();
    });
}

void MainWindow::MouseMoved(bool leftHeld, int x, int y, platform::HeldKeys keys) {
    if (liveFrameRunning) {
        if (leftHeld) pendingMove = PendingMove{x, y, keys};
        return;
    }
    held = keys;
    platform::ReportingErrors(platform, [&] {
        RefreshWindow();
        ShowMousePosition(x, y);
        if (leftHeld) {
            mouseMode->Drag(*this, x, y);
            FollowDragLive();
        }
    });
    // The release that arrived during the last frame.
    if (const std::optional<std::pair<int, int>> released = std::exchange(pendingRelease, std::nullopt))
        MouseReleased(platform::MouseButton::Left, released->first, released->second);
}

void MainWindow::ShowMousePosition(int x, int y) {
    window.SetCaption(settings.titel + " (X=" + std::to_string(x) + ",Y=" + std::to_string(y) + ")");
}

void MainWindow::MouseReleased(platform::MouseButton button, int x, int y) {
    if (button != platform::MouseButton::Left) return;
    if (liveFrameRunning) {
        pendingRelease = {x, y};
        return;
    }
    platform::ReportingErrors(platform, [&] {
        EndPlacing();
        mouseMode->Release(*this, x, y);
        NoteChanges();
    });
    // Also after a release that went wrong: the window shows the picture again.
    platform::ReportingErrors(platform, [&] { EndLiveDrag(); });
}

void MainWindow::MouseDoubleClicked(platform::MouseButton button, int x, int y) {
    if (button != platform::MouseButton::Left || liveFrameRunning) return;
    platform::ReportingErrors(platform, [&] {
        mouseMode->DoubleClick(*this, x, y);
        NoteChanges();
    });
}

}  // namespace brevanto::ui
