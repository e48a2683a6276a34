// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's measuring lines and sweeps: their place on the window,
// their plots in the meter's panel, their CSV files.
#include <algorithm>
#include <array>

#include "measure/EnergyBalance.h"
#include "platform/Canvas.h"
#include "platform/Conversions.h"
#include "ui/MainWindow.h"
#include "ui/MeasuringLineDialogs.h"
#include "ui/ParameterSweep.h"

namespace brevanto::ui {

using namespace model;
using namespace measure;

namespace {

// The lines' colours in turn, on the window and in their plots, and the
// sweep's curves'.
constexpr std::array<platform::TColor, 10> kLineColours = {0x00A000, 0xC06000, 0x0060C0, 0xA000A0, 0x008080,
                                                           0x404040, 0x00C0C0, 0x800000, 0x0080FF, 0x808000};
// The plotted quantities' colours (BGR as TColor): light from the left in
// red, from the right in blue, the energy density in grey.
constexpr platform::TColor kPlusColour = 0x0000D0, kMinusColour = 0xD00000, kEnergyColour = 0x808080;

platform::TColor LineColour(size_t index) { return kLineColours[index % kLineColours.size()]; }

// What the sweep's columns and the energy balance count as absorbed.
bool IsAbsorber(const std::string& kind) { return kind == "absorber" || kind == "absorberkreis"; }

std::string Number(double value) { return platform::FloatToStr(value, 6); }

// A text as a CSV field: quoted, its quotes doubled.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

platform::Plot LinePlot(const std::string& name, platform::TColor colour, const LineReading* reading) {
    platform::Plot plot{.title = name, .colour = colour, .xAxis = "along the line (px)", .yAxis = "IRR, E (S)"};
    if (reading == nullptr) {
        plot.note = "The scene or the line has changed: \"Measure Along Lines\" measures again.";
        return plot;
    }
    platform::PlotCurve plus{"IRR+", kPlusColour, {}, {}};
    platform::PlotCurve minus{"IRR-", kMinusColour, {}, {}};
    platform::PlotCurve energy{"E", kEnergyColour, {}, {}};
    for (const LineSample& sample : reading->samples) {
        for (platform::PlotCurve* curve : {&plus, &minus, &energy}) curve->x.push_back(sample.along);
        plus.y.push_back(sample.plus);
        minus.y.push_back(sample.minus);
        energy.y.push_back(sample.energy);
    }
    plot.curves = {plus, minus, energy};
    plot.note =
        "IRR+ crosses from the left of the line's direction, as drawn, to its right; IRR- the other way; E "
        "is the energy density.\rPower crossing: + " +
        Number(reading->powerPlus) + ", - " + Number(reading->powerMinus) + " (S px)";
    return plot;
}

}  // namespace

size_t MainWindow::AddMeasuringLine(MeasuringLine line) {
    measuringLines.push_back(std::move(line));
    FollowLineChanges(false);
    RefreshWindow();
    return measuringLines.size() - 1;
}

void MainWindow::MoveMeasuringLine(size_t index, const MeasuringLine& moved) {
    measuringLines.at(index) = moved;
    FollowLineChanges(false);
    RefreshWindow();
}

void MainWindow::ChooseMeasuringLine(std::optional<size_t> index) {
    SetSelection({});
    chosenLine = index;
    RefreshWindow();
    window.UpdateMenuStates();
}

void MainWindow::RemoveMeasuringLine(size_t index) {
    measuringLines.erase(measuringLines.begin() + static_cast<std::ptrdiff_t>(index));
    chosenLine.reset();
    FollowLineChanges(false);
    RefreshWindow();
}

void MainWindow::FollowLineChanges(bool sceneChanged) {
    if (sceneChanged || measuredLines != measuringLines) lineReadings.clear();
    if (sceneChanged || plottedLines != measuringLines) ShowPlots();
}

void MainWindow::MeasureAlongLines() {
    if (measuringLines.empty()) return;
    double samples = 0;
    for (const MeasuringLine& line : measuringLines) samples += line.samples;
    // A sample asks every object, as a point of a display does.
    if (!PrepareScene(samples * static_cast<double>(list.size()))) return;
    std::vector<LineReading> measured;
    {
        platform::ShownProgress progress(platform.Progress());
        progress.SetText(settings.titel + " is measuring along the lines.", 0);
        for (const MeasuringLine& line : measuringLines)
            measured.push_back(MeasureAlong(list, line, [&] { progress.StopIfCancelled(); }));
    }
    lineReadings = std::move(measured);
    measuredLines = measuringLines;
    ShowPlots();
    window.UpdateMenuStates();
}

void MainWindow::ShowPlots() {
    plottedLines = measuringLines;
    std::vector<platform::Plot> plots;
    for (size_t k = 0; k < measuringLines.size(); ++k)
        plots.push_back(
            LinePlot(measuringLines[k].Title(k), LineColour(k), lineReadings.empty() ? nullptr : &lineReadings[k]));
    if (!sweepRows.empty()) {
        platform::Plot sweep{.title = "Sweep",
                             .xAxis = sweepTitle,
                             .yAxis = "power (S px)",
                             .note =
                                 "The power crossing each measuring line each way and the power each absorber "
                                 "absorbs, the scene computed at each value."};
        for (size_t column = 0; column < sweepColumns.size(); ++column) {
            platform::PlotCurve curve{sweepColumns[column], LineColour(column), {}, {}};
            for (const std::vector<double>& row : sweepRows) {
                curve.x.push_back(row[0]);
                curve.y.push_back(row[column + 1]);
            }
            sweep.curves.push_back(std::move(curve));
        }
        plots.push_back(std::move(sweep));
    }
    window.ShowPlots(plots);
}

void MainWindow::DrawMeasuringLines(platform::Canvas& canvas) const {
    for (size_t k = 0; k < measuringLines.size(); ++k) {
        const MeasuringLine& line = measuringLines[k];
        canvas.SetPenColor(LineColour(k));
        canvas.SetBrushColor(LineColour(k));
        canvas.MoveTo(line.x1, line.y1);
        canvas.LineTo(line.x2, line.y2);
        // Ticks at the ends, across the line.
        for (const auto& [x, y] : {std::pair{line.x1, line.y1}, std::pair{line.x2, line.y2}}) {
            canvas.MoveTo(x - 3, y - 3);
            canvas.LineTo(x + 4, y + 4);
            canvas.MoveTo(x - 3, y + 3);
            canvas.LineTo(x + 4, y - 4);
        }
        canvas.TextOut(line.x1 + 6, line.y1 + 4, measuringLines[k].Title(k));
        canvas.SetBrushStyle(platform::BrushStyle::Solid);
        if (chosenLine == k)
            for (const auto& [x, y] : {std::pair{line.x1, line.y1}, std::pair{line.x2, line.y2}})
                canvas.FillRect(x - 2, y - 2, x + 3, y + 3);
    }
}

void MainWindow::OpenMeasuringLineManager() {
    std::vector<MeasuringLine> edited = measuringLines;
    MeasuringLineManager(edited, platform, settings);
    if (edited == measuringLines) return;
    measuringLines = std::move(edited);
    chosenLine.reset();
    FollowLineChanges(false);
    RefreshWindow();
}

void MainWindow::ExportLineReadings() {
    if (lineReadings.empty()) return;
    std::string csv = "line,name,along,x,y,irradiance_plus,irradiance_minus,energy_density\r\n";
    for (size_t k = 0; k < lineReadings.size(); ++k)
        for (const LineSample& sample : lineReadings[k].samples)
            csv += std::to_string(k + 1) + ',' + Quoted(measuredLines[k].Title(k)) + ',' + Number(sample.along) + ',' +
                   Number(sample.x) + ',' + Number(sample.y) + ',' + Number(sample.plus) + ',' + Number(sample.minus) +
                   ',' + Number(sample.energy) + "\r\n";
    ExportCsv(csv);
}

void MainWindow::RunSweep(const ParameterSweep& sweep, const std::vector<MeasuringLine>& lines,
                          const std::function<void(double, const std::vector<double>&)>& row) {
    SweptObject swept(list, sweep);
    const std::vector<double> values = sweep.Values();
    for (size_t k = 0; k < values.size(); ++k) {
        swept.Set(values[k]);
        // Computed afresh, without an undo step for each value.
        FollowSceneChanges();
        if (!PrepareScene()) throw platform::Stopped();
        platform::ShownProgress progress(platform.Progress());
        progress.SetText(settings.titel + " is measuring at " + sweep.Name() + " = " + Number(values[k]) + " (" +
                             std::to_string(k + 1) + " of " + std::to_string(values.size()) + ").",
                         static_cast<double>(k) / static_cast<double>(values.size()));
        const auto stop = [&] { progress.StopIfCancelled(); };
        std::vector<double> powers;
        for (const MeasuringLine& line : lines) {
            const LineReading reading = MeasureAlong(list, line, stop);
            powers.push_back(reading.powerPlus);
            powers.push_back(reading.powerMinus);
        }
        for (const ObjectBalance& object : BalanceOf(list, settings, stop).objects)
            if (IsAbsorber(object.kind)) powers.push_back(object.absorbed);
        row(values[k], powers);
    }
}

void MainWindow::SweepParameter() {
    const std::optional<ParameterSweep> sweep = SweepDialog(platform);
    if (!sweep) return;
    std::vector<std::string> columns;
    for (size_t k = 0; k < measuringLines.size(); ++k) {
        columns.push_back(measuringLines[k].Title(k) + " +");
        columns.push_back(measuringLines[k].Title(k) + " -");
    }
    for (size_t i = 0; i < list.size(); ++i)
        if (IsAbsorber(list[i].kind))
            columns.push_back("absorbed by " + std::to_string(i + 1) + " (" + list[i].description + ")");
    std::vector<std::vector<double>> rows;
    // However the sweep ends, the scene is as it was before.
    const std::string before = StateText();
    try {
        RunSweep(*sweep, measuringLines, [&](double value, const std::vector<double>& powers) {
            rows.push_back({value});
            rows.back().insert(rows.back().end(), powers.begin(), powers.end());
        });
    } catch (...) {
        RestoreState(before);
        throw;
    }
    RestoreState(before);
    sweepTitle = sweep->Name();
    sweepColumns = std::move(columns);
    sweepRows = std::move(rows);
    ShowPlots();
    window.UpdateMenuStates();
}

void MainWindow::ExportSweep() {
    if (sweepRows.empty()) return;
    std::string csv = Quoted(sweepTitle);
    for (const std::string& column : sweepColumns) csv += ',' + Quoted(column);
    csv += "\r\n";
    for (const std::vector<double>& row : sweepRows) {
        for (size_t k = 0; k < row.size(); ++k) csv += (k == 0 ? "" : ",") + Number(row[k]);
        csv += "\r\n";
    }
    ExportCsv(csv);
}

}  // namespace brevanto::ui
