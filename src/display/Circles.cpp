// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/Circles.h"

#include <algorithm>
#include <vector>

#include "model/ColourChoice.h"
#include "model/FieldRange.h"
#include "model/Numbers.h"
#include "platform/Canvas.h"
#include "platform/Platform.h"

namespace brevanto::display {

using namespace model;

double TEnergiekreise::Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                            platform::Platform& platform) const {
    canvas.SetPenColor(colour);
    canvas.SetBrushColor(colour);
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    const Grid grid = GridFor(settings);
    if (!CheckGrid(grid, "circles", platform)) return 0;
    std::vector<float> energies(grid.PointCount());
    ForEachPoint(grid, "circles", settings, platform.Progress(), [&](int32_t i, int32_t j) {
        energies[grid.PointIndex(i, j)] = list.EnergyDensityAt(grid.X(i), grid.Y(j));
        CheckFieldValue(energies[grid.PointIndex(i, j)], grid.X(i), grid.Y(j));
    });

    double largest = 0;
    for (float energy : energies) largest = std::max<double>(largest, energy);
    if (largest == 0) {
        platform.ShowMessage("No circles are drawn, because there are no light sources.");
        return 0;
    }
    const float scale = static_cast<float>(grid.spacing / largest * 0.4);
    for (int32_t i = 1; i <= grid.columns; ++i)
        for (int32_t j = 1; j <= grid.rows; ++j) {
            const int32_t x = grid.X(i), y = grid.Y(j);
            const double radius = static_cast<double>(scale) * energies[grid.PointIndex(i, j)];
            // Whether a disc shows is decided on pixels, whatever the canvas; a
            // radius of 0 would be an empty box: nothing to draw.
            const int32_t r = Round(radius);
            if (r > 0 && !list.AnyNear(x, y, r)) {
                const double landed = canvas.Landed(radius);
                canvas.EllipseExact(x - landed, y - landed, x + landed, y + landed);
            }
        }
    return largest;
}

void TEnergiekreise::Edit(platform::Platform& platform) {
    static platform::DialogSpec dialog{
        "Circles of energy density",
        {platform::Control::Edit("gitterweite", "Pixel width"), platform::Control::Label("pixels").Beside(),
         ColourCombo("schwarz"), platform::Control::Button("OK", platform::ModalResult::OK, true),
         platform::Control::CancelButton()}};
    EditSpacingAndColour(dialog, platform);
}

void TEnergiekreise::SaveToFile(platform::TextFile& file) const { SaveSection(file, "energiekreise"); }

}  // namespace brevanto::display
