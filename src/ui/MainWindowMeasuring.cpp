// The main window's measuring commands: the light meter, the colour maps and
// their dialogs, the energy balance and the verification scenes.
#include "measure/EnergyBalance.h"
#include "measure/Verification.h"
#include "model/LightMeter.h"
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"
#include "ui/MeasuringDialogs.h"

void MainWindow::MeasureLightAt(int x, int y) {
    // The meter's panel takes room from the drawing area: the picture
    // measured keeps its size.
    pictureFollowsArea = false;
    if (!PrepareScene()) return;
    window.ShowMeasurement(MeasureLight(list, x, y));
    measuredPoint = Handle{x, y};
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
