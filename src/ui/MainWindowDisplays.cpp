// The main window's display commands and the displays' parameter dialogs.
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"

int32_t MainWindow::PrepareScene() {
    list.CleanAndNumber();
    const int32_t passes = Calculate(list, settings, window, platform.Progress());
    // Also after a skipped computation, so that the queries never lag behind
    // an edit; cheap when nothing changed.
    list.PrepareQueries(settings);
    return passes;
}

void MainWindow::DrawArrows() {
    ChooseMouseMode(std::make_unique<SelectMode>());
    PrepareScene();
    RedrawAll();
    displays.vektorpfeile.Draw(list, settings, picture->GetCanvas(), platform);
    window.GetCanvas().DrawBitmap(*picture);
}

void MainWindow::DrawStreamLines() {
    ChooseMouseMode(std::make_unique<SelectMode>());
    PrepareScene();
    RedrawAll();
    displays.linien.Draw(list, settings, *picture, window.GetCanvas(), platform);
}

void MainWindow::DrawCircles() {
    ChooseMouseMode(std::make_unique<SelectMode>());
    PrepareScene();
    RedrawAll();
    displays.energiekreise.Draw(list, settings, picture->GetCanvas(), platform);
    window.GetCanvas().DrawBitmap(*picture);
}

void MainWindow::TraceSingleStreamLine(int x, int y) {
    PrepareScene();
    displays.linien.TraceLine(list, *picture, window.GetCanvas(), platform, x, y);
}

void MainWindow::EditArrowSettings() { displays.vektorpfeile.Edit(platform); }
void MainWindow::EditStreamLineSettings() { displays.linien.Edit(platform); }
void MainWindow::EditCircleSettings() { displays.energiekreise.Edit(platform); }
