// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's measuring commands: the light meter, the colour maps and
// their dialogs, the energy balance and the verification scenes.
#include "files/FileNames.h"
#include "measure/EnergyBalance.h"
#include "measure/Verification.h"
#include "model/LightMeter.h"
#include "platform/SafeFileWrite.h"
#include "radiation/Calculation.h"
#include "ui/MainWindow.h"
#include "ui/MeasuringDialogs.h"

namespace brevanto::ui {

using namespace model;
using namespace radiation;
using namespace files;
using namespace measure;

void MainWindow::MeasureLightAt(int x, int y) {
    // The meter's panel takes room from the drawing area: the picture
    // measured keeps its size.
    pictureFollowsArea = false;
    if (!PrepareScene()) return;
    if (!readings.UpToDate()) readings.Remeasure(list);
    const platform::Measurement measured = MeasureLight(list, x, y);
    readings.Add(measured);
    window.ShowMeasurement(measured);
    window.ShowReadings(readings.Table());
    window.UpdateMenuStates();
    RefreshWindow();
}

void MainWindow::MeasureAtTypedPoint() {
    if (const std::optional<std::pair<int, int>> point = MeasurePointDialog(platform, settings))
        MeasureLightAt(point->first, point->second);
}

void MainWindow::CopyReadings() {
    if (!readings.Empty()) platform.SetClipboardText(readings.TabSeparated());
}

void MainWindow::ExportReadings() {
    if (!readings.Empty()) ExportCsv(readings.Csv());
}

void MainWindow::ExportCsv(const std::string& csv) {
    const std::optional<platform::ChosenFile> chosen =
        ChooseFileToWrite("CSV-Files (*.csv)|*.csv", NameBesideScene(".csv"),
                          [](const platform::ChosenFile& typed) { return WithExtension(typed.name, ".csv"); });
    if (chosen) platform::ReplaceFileContents(chosen->name, csv);
}

void MainWindow::ClearReadings() {
    readings.Clear();
    window.ShowReadings(readings.Table());
    window.UpdateMenuStates();
    RefreshWindow();
}

void MainWindow::DrawDiffuseness() { ShowDisplay(DisplayKind::Diffuseness); }

void MainWindow::DrawEnergyDensityMap() { ShowDisplay(DisplayKind::EnergyDensityMap); }

void MainWindow::EditDiffusenessSettings() {
    maps.diffuseness.Edit(platform);
    ShowAgainIfShown(DisplayKind::Diffuseness);
}

void MainWindow::EditEnergyDensityMapSettings() {
    maps.energyDensity.Edit(platform);
    ShowAgainIfShown(DisplayKind::EnergyDensityMap);
}

void MainWindow::ShowEnergyBalance() {
    if (!PrepareScene(BalanceWork(list, settings))) return;
    EnergyBalance balance;
    {
        platform::ShownProgress progress(platform.Progress());
        progress.SetText(settings.titel + " is measuring the energy balance.", 0);
        balance = BalanceOf(list, settings, [&] { progress.StopIfCancelled(); });
    }
    EnergyBalanceDialog(platform, balance, notConvergedPasses ? NotConvergedNote(*notConvergedPasses) : std::string());
}

void MainWindow::ShowVerification() {
    settings.CheckResolution();
    VerificationDialog(platform, Verify(settings.sellaenge, settings.richtungprosel), settings);
}

}  // namespace brevanto::ui
