// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's display commands, the displays' parameter dialogs, and
// the display as vector graphics.
#include <algorithm>

#include "display/Legend.h"
#include "files/FileNames.h"
#include "model/ParallelFor.h"
#include "platform/Conversions.h"
#include "platform/SvgPicture.h"
#include "radiation/Calculation.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace model;
using namespace radiation;
using namespace display;
using namespace files;

const SceneSample& MainWindow::Sample() const {
    const std::string scene = ComputedSceneText();
    platform::TextFile streamLines;
    displays.linien.SaveToFile(streamLines);
    const std::string sampled = scene + streamLines.Text();
    if (!sample || sample->first != sampled) sample.emplace(sampled, SampleScene(scene, settings, displays.linien));
    return sample->second;
}

double MainWindow::EstimatedSeconds(double displayWork) const {
    const SceneSample& sampled = Sample();
    return sampled.CalculationSeconds(list, settings) + sampled.QuerySeconds(displayWork);
}

std::optional<int32_t> MainWindow::PrepareScene(double displayWork) {
    list.CleanAndNumber();
    FollowSceneChanges();
    const double seconds = EstimatedSeconds(displayWork);
    const std::string note = settings.berechnet ? std::string() : EndlessIterationNote(list, settings);
    const bool longWork = seconds > kAskAboveSeconds;
    if (longWork || !note.empty()) {
        std::string question = note.empty() ? std::string() : note + "\r";
        if (longWork)
            question += "This will take a long time (about " +
                        platform::IntToStr(static_cast<int64_t>(std::min<double>(seconds, 1e15))) + " s). ";
        if (!platform.AskYesNo(question + "Compute anyway?")) return std::nullopt;
    }
    const CalculationResult result = Calculate(list, settings, window, platform.Progress());
    if (result.passes > 0) {
        if (result.converged)
            notConvergedPasses.reset();
        else
            notConvergedPasses = result.passes;
        UpdateStatus();
    }
    // Also after a skipped computation, so that the queries never lag behind
    // an edit; cheap when nothing changed.
    list.PrepareQueries(settings);
    return result.passes;
}

double MainWindow::DisplayWork(DisplayKind display) const {
    switch (display) {
        case DisplayKind::Arrows: return displays.vektorpfeile.Work(list, settings);
        case DisplayKind::StreamLines: return displays.linien.Work(list, settings, Sample().lines);
        case DisplayKind::Circles: return displays.energiekreise.Work(list, settings);
        // The flow and the energy density at each point.
        case DisplayKind::Diffuseness: return 2 * maps.diffuseness.Work(list, settings);
        case DisplayKind::EnergyDensityMap: return maps.energyDensity.Work(list, settings);
        case DisplayKind::None: break;
    }
    return 0;
}

void MainWindow::ShowDisplay(DisplayKind display) {
    ChooseMouseMode(std::make_unique<SelectMode>());
    ComputeAndShow(display);
}

void MainWindow::ComputeAndShow(DisplayKind display) {
    if (!PrepareScene(DisplayWork(display))) return;
    RedrawAll();
    DrawDisplay(display, Source(), *picture, window.GetCanvas());
    shownDisplay = display;
    RefreshWindow();
}

void MainWindow::DrawDisplay(DisplayKind display, const DisplaySource& source, platform::Bitmap& target,
                             platform::Canvas& targetWindow) const {
    const SceneList& list = source.list;
    const Tprgvar& settings = source.settings;
    const Displays& displays = source.displays;
    const ColourMaps& maps = source.maps;
    platform::Platform& platform = source.platform;
    DisplayLegend legend;
    switch (display) {
        case DisplayKind::Arrows: {
            const ArrowScale scale =
                displays.vektorpfeile.Draw(list, settings, target.GetCanvas(), platform,
                                           logarithmicArrows ? ArrowLength::Logarithmic : ArrowLength::Proportional);
            // An arrow as long as the value it stands for.
            if (scale.perSpacing > 0)
                legend = {"flow density " + platform::FloatToStr(scale.perSpacing, 4),
                          static_cast<double>(displays.vektorpfeile.gitterweite)};
            else if (scale.strongest > 0)
                legend = {"flow density " + platform::FloatToStr(scale.strongest, 4) +
                              " (logarithmic scale, none below " + platform::FloatToStr(scale.faintest, 4) + ")",
                          0.7 * displays.vektorpfeile.gitterweite};
            break;
        }
        case DisplayKind::StreamLines:
            displays.linien.Draw(list, settings, target, targetWindow, platform);
            legend.text = "Between two lines: flux " + platform::FloatToStr(displays.linien.FluxPerLine(list), 4);
            break;
        case DisplayKind::Circles: {
            const double largest = displays.energiekreise.Draw(list, settings, target.GetCanvas(), platform);
            if (largest > 0) legend.text = "Largest disc: energy density " + platform::FloatToStr(largest, 4);
            break;
        }
        // The maps' legend is their colour scale, always shown.
        case DisplayKind::Diffuseness: maps.diffuseness.Draw(list, settings, target.GetCanvas(), platform); break;
        case DisplayKind::EnergyDensityMap:
            maps.energyDensity.Draw(list, settings, target.GetCanvas(), platform);
            break;
        case DisplayKind::None: break;
    }
    if (showLegends && !legend.text.empty()) {
        const platform::TColor colour = display == DisplayKind::Arrows    ? displays.vektorpfeile.colour
                                        : display == DisplayKind::Circles ? displays.energiekreise.colour
                                                                          : displays.linien.colour;
        const int textSize = LegendTextSize(target.Width(), target.Height());
        // A vector picture is drawn after the window's picture and puts its
        // legend where that one went.
        legendCorner = EmptiestCorner(target.GetCanvas(), target.Width(), target.Height(), legend.Width(textSize),
                                      legend.Height(textSize), settings.hintergrundfarbe)
                           .value_or(legendCorner);
        legend.Draw(target.GetCanvas(), target.Width(), target.Height(), colour, legendCorner);
    }
}

void MainWindow::DrawArrows() { ShowDisplay(DisplayKind::Arrows); }

void MainWindow::DrawStreamLines() { ShowDisplay(DisplayKind::StreamLines); }

void MainWindow::DrawCircles() { ShowDisplay(DisplayKind::Circles); }

void MainWindow::TraceSingleStreamLine(int x, int y) {
    if (!PrepareScene()) return;
    displays.linien.TraceLine(list, *picture, window.GetCanvas(), platform, x, y);
    singleStreamLines.push_back({x, y});
}

void MainWindow::ToggleLegends() {
    showLegends = !showLegends;
    if (shownDisplay != DisplayKind::None) ShowDisplay(shownDisplay);
}

void MainWindow::ToggleLogarithmicArrows() {
    logarithmicArrows = !logarithmicArrows;
    ShowAgainIfShown(DisplayKind::Arrows);
}

void MainWindow::ShowAgainIfShown(DisplayKind display) {
    if (shownDisplay == display) ShowDisplay(display);
}

void MainWindow::EditArrowSettings() {
    displays.vektorpfeile.Edit(platform);
    ShowAgainIfShown(DisplayKind::Arrows);
}

void MainWindow::EditStreamLineSettings() {
    displays.linien.Edit(platform);
    ShowAgainIfShown(DisplayKind::StreamLines);
}

void MainWindow::EditCircleSettings() {
    displays.energiekreise.Edit(platform);
    ShowAgainIfShown(DisplayKind::Circles);
}

void MainWindow::ExportSvg() {
    const std::optional<platform::ChosenFile> chosen =
        ChooseFileToWrite("SVG-Files (*.svg)|*.svg", NameBesideScene(".svg"),
                          [](const platform::ChosenFile& typed) { return WithExtension(typed.name, ".svg"); });
    if (chosen) WriteSvg(chosen->name);
}

// The scene and the display as the picture shows them, drawn again into a
// vector picture: the same objects, arrows, lines and discs.
void MainWindow::WriteSvg(const std::string& fileName) {
    platform::SvgPicture svg(picture->Width(), picture->Height());
    list.RedrawAll(svg, svg.GetCanvas(), settings.hintergrundfarbe);
    if ((shownDisplay != DisplayKind::None || !singleStreamLines.empty()) && !PrepareScene(DisplayWork(shownDisplay)))
        return;
    DrawDisplay(shownDisplay, Source(), svg, svg.GetCanvas());
    for (const auto& [x, y] : singleStreamLines) displays.linien.TraceLine(list, svg, svg.GetCanvas(), platform, x, y);
    svg.Write(fileName);
}

}  // namespace brevanto::ui
