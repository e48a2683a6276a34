// The main window's measuring commands: the light meter, the colour maps and
// their dialogs, the energy balance and the verification scenes.
#include "measure/EnergyBalance.h"
#include "measure/Verification.h"
#include "model/LightMeter.h"
#include "ui/MainWindow.h"
#include "ui/MeasuringDialogs.h"

void MainWindow::MeasureLightAt(int x, int y) {
    PrepareScene();
    window.ShowMeasurement(MeasureLight(list, x, y));
}

void MainWindow::DrawDiffuseness() { ShowDisplay(DisplayKind::Diffuseness); }

void MainWindow::DrawEnergyDensityMap() { ShowDisplay(DisplayKind::EnergyDensityMap); }

void MainWindow::EditDiffusenessSettings() { maps.diffuseness.Edit(platform); }
void MainWindow::EditEnergyDensityMapSettings() { maps.energyDensity.Edit(platform); }

void MainWindow::ShowEnergyBalance() {
    PrepareScene();
    EnergyBalanceDialog(platform, BalanceOf(list, settings));
}

void MainWindow::ShowVerification() {
    settings.CheckResolution();
    VerificationDialog(platform, Verify(settings.sellaenge, settings.richtungprosel), settings);
}
