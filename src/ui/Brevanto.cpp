#include "ui/Brevanto.h"

#include "model/Programvar.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektSonne.h"
#include "platform/Errors.h"
#include "radiation/Aufloesung.h"
#include "ui/Bildschirm.h"
#include "ui/Info.h"
#include "ui/ObjektManager.h"
#include "radiation/Iterationen.h"

namespace {
// Asked for so that the window system grants the largest area it can.
constexpr int kLargestRequest = 10000;
}  // namespace

TForm1::TForm1(platform::Platform& platformToUse, platform::Window& mainWindow)
    : platform(platformToUse), window(mainWindow) {
    window.SetClientWidth(kLargestRequest);
    window.SetClientHeight(kLargestRequest);
    picture = platform.CreateBitmap(0, 0);
    SetPrgvar(std::make_unique<Tprgvar>(window.ClientHeight(), window.ClientWidth(), window.Color()));
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    window.SetCaption(prgvar().titel);
    RedrawAll();
}

void TForm1::RedrawAll() { list.RedrawAll(*picture, window.GetCanvas()); }

void TForm1::SetDrawingMode(const std::string& keyword) { prgvar().zeichenmodus = keyword; }

void TForm1::Neu1Click() { StartAfresh(); }

void TForm1::StartAfresh() {
    list.Clear();
    SetPrgvar(std::make_unique<Tprgvar>(window.ClientHeight(), window.ClientWidth(), window.Color()));
    displays = TDisplays{};
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    RedrawAll();
}


void TForm1::Beenden1Click() { window.Close(); }

void TForm1::Sonne1Click() {
    prgvar().zeichenmodus.clear();
    prgvar().berechnet = false;
    list.Append(std::make_unique<TObjektSonne>());
    list.Tail().Edit();
    RedrawAll();
}

void TForm1::Hintergrundstrahlung1Click() {
    prgvar().zeichenmodus.clear();
    prgvar().berechnet = false;
    list.Background().Edit();
    RedrawAll();
}
void TForm1::Objektmanager1Click() {
    ObjectManager(list);
    RedrawAll();
    prgvar().berechnet = false;
}

void TForm1::Darstellungsformen1Click() { RedrawAll(); }

void TForm1::SzeneObjekte2Click() {
    list.Clear();
    RedrawAll();
}

void TForm1::Auflsung1Click() { ResolutionDialog(); }
void TForm1::Iterationen1Click() { IterationsDialog(); }
void TForm1::Bildschirm1Click() {
    ScreenDialog(window);
    // A new size starts the scene afresh, at that size.
    if (window.ClientWidth() != prgvar().breite || window.ClientHeight() != prgvar().hoehe) StartAfresh();
    RedrawAll();
}

void TForm1::Info1Click() { InfoDialog(); }

// Drawing with the mouse: a press creates an object of the current mode with
// both points at the pressed pixel, dragging moves its second point, and the
// release opens its dialog. The object being drawn is always the last one.

void TForm1::FormMouseDown(MouseButton, bool leftHeld, int x, int y) {
    if (!leftHeld) return;
    platform::ReportingErrors([&] {
        const std::string& mode = prgvar().zeichenmodus;
        if (mode == "einestromlinie") TraceSingleStreamLine(x, y);
        if (IsDrawingKind(mode)) {
            list.Append(CreateObjectOfKind(mode, x, y, x, y));
            RedrawAll();
        }
    });
}

void TForm1::FormMouseMove(bool leftHeld, int x, int y) {
    platform::ReportingErrors([&] {
        window.GetCanvas().DrawBitmap(*picture);
        if (leftHeld && IsDrawingKind(prgvar().zeichenmodus)) {
            list.Tail().SetEndPoint(x, y);
            RedrawAll();
        }
        window.SetCaption(prgvar().titel + " (X=" + std::to_string(x) + ",Y=" + std::to_string(y) + ")");
    });
}

void TForm1::FormMouseUp(MouseButton button, int, int) {
    if (button != MouseButton::Left) return;
    platform::ReportingErrors([&] {
        if (!IsDrawingKind(prgvar().zeichenmodus)) return;
        list.Tail().Edit();
        prgvar().berechnet = false;
        RedrawAll();
    });
}
