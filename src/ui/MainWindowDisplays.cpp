// The main window's display commands and the displays' parameter dialogs.
#include <algorithm>

#include "model/ParallelFor.h"
#include "platform/Conversions.h"
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"

namespace {
// The queries' path tests (SceneList::QueryWork units) that one core does in
// a second, measured on the benchmark's standard scene.
constexpr Extended kWorkPerSecond = 4e7;
}  // namespace

Extended MainWindow::EstimatedSeconds(Extended displayWork) const {
    return (CalculationWork(list, settings) + displayWork) / (kWorkPerSecond * ThreadCount());
}

std::optional<int32_t> MainWindow::PrepareScene(Extended displayWork) {
    list.CleanAndNumber();
    const Extended seconds = EstimatedSeconds(displayWork);
    const std::string note = settings.berechnet ? std::string() : EndlessIterationNote(list, settings);
    const bool longWork = seconds > kAskAboveSeconds;
    if (longWork || !note.empty()) {
        std::string question = note.empty() ? std::string() : note + "\r";
        if (longWork)
            question += "This will take a long time (about " +
                        platform::IntToStr(static_cast<int64_t>(std::min<Extended>(seconds, 1e15))) + " s). ";
        if (!platform.AskYesNo(question + "Compute anyway?")) return std::nullopt;
    }
    const int32_t passes = Calculate(list, settings, window, platform.Progress());
    // Also after a skipped computation, so that the queries never lag behind
    // an edit; cheap when nothing changed.
    list.PrepareQueries(settings);
    return passes;
}

void MainWindow::DrawArrows() {
    mouseMode = std::make_unique<NoDrawingMode>();
    if (!PrepareScene(displays.vektorpfeile.Work(list, settings))) return;
    RedrawAll();
    displays.vektorpfeile.Draw(list, settings, picture->GetCanvas(), platform);
    window.GetCanvas().DrawBitmap(*picture);
}

void MainWindow::DrawStreamLines() {
    mouseMode = std::make_unique<NoDrawingMode>();
    if (!PrepareScene(displays.linien.Work(list, settings))) return;
    RedrawAll();
    displays.linien.Draw(list, settings, *picture, window.GetCanvas(), platform);
}

void MainWindow::DrawCircles() {
    mouseMode = std::make_unique<NoDrawingMode>();
    if (!PrepareScene(displays.energiekreise.Work(list, settings))) return;
    RedrawAll();
    displays.energiekreise.Draw(list, settings, picture->GetCanvas(), platform);
    window.GetCanvas().DrawBitmap(*picture);
}

void MainWindow::TraceSingleStreamLine(int x, int y) {
    if (!PrepareScene()) return;
    displays.linien.TraceLine(list, *picture, window.GetCanvas(), platform, x, y);
}

void MainWindow::EditArrowSettings() { displays.vektorpfeile.Edit(platform); }
void MainWindow::EditStreamLineSettings() { displays.linien.Edit(platform); }
void MainWindow::EditCircleSettings() { displays.energiekreise.Edit(platform); }
