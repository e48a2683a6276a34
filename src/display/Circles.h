// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/GridDisplay.h"
#include "model/SceneList.h"

namespace brevanto::platform {
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::display {

// Filled circles of the energy density (SceneList::EnergyDensityAt) on a
// square grid. The disc radius is proportional to it, 0.4 grid spacings for
// the largest; discs that would touch an object are left out.
class TEnergiekreise : public GridDisplay {
public:
    // Collects the energy density at every grid point and draws the discs.
    // The scene must be computed and its queries prepared. Returns the
    // energy density of the largest disc, 0 when no disc was drawn.
    double Draw(const model::SceneList& list, const model::Tprgvar& settings, platform::Canvas& canvas,
                platform::Platform& platform) const;
    // The dialog "Circles of energy density".
    void Edit(platform::Platform& platform);
    // The section "energiekreise", its keyword line included.
    void SaveToFile(platform::TextFile& file) const;
};

}  // namespace brevanto::display
