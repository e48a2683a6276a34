// The main window's display commands and the displays' parameter dialogs.
#include "model/Programvar.h"
#include "radiation/Berechnen.h"
#include "ui/Brevanto.h"

namespace {

// What every display needs first: a numbered scene without zero-size objects,
// its radiation computed (skipped while it is up to date) and its caches ready
// for queries (cheap; also after a skipped computation, so they never lag).
void PrepareScene(TSceneList& list, platform::Window& window) {
    list.CleanAndNumber();
    Calculate(list, window);
    list.PrepareQueries();
}

}  // namespace

void TForm1::Vektorpfeile1Click() {
    prgvar().zeichenmodus.clear();
    PrepareScene(list, window);
    RedrawAll();
    displays.vektorpfeile.Draw(list, picture->GetCanvas());
    window.GetCanvas().DrawBitmap(*picture);
}

void TForm1::Stromlinien1Click() {
    prgvar().zeichenmodus.clear();
    PrepareScene(list, window);
    RedrawAll();
    displays.linien.Draw(list, *picture, window.GetCanvas());
}

void TForm1::Kreise1Click() {
    prgvar().zeichenmodus.clear();
    PrepareScene(list, window);
    RedrawAll();
    displays.energiekreise.Draw(list, picture->GetCanvas());
    window.GetCanvas().DrawBitmap(*picture);
}

void TForm1::TraceSingleStreamLine(int x, int y) {
    PrepareScene(list, window);
    displays.linien.TraceLine(list, *picture, window.GetCanvas(), x, y);
}

void TForm1::Vektorpfeile2Click() { displays.vektorpfeile.Edit(); }
void TForm1::Energieflussfeldlinien1Click() { displays.linien.Edit(); }
void TForm1::Energiekreise1Click() { displays.energiekreise.Edit(); }
