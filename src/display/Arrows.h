// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/GridDisplay.h"
#include "model/SceneList.h"

namespace brevanto::platform {
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::display {

// How an arrow's length follows the flow density: in proportion, or with
// its logarithm, over kArrowDecades below the strongest, so that faint
// light far from a lamp still shows.
enum class ArrowLength { Proportional, Logarithmic };
inline constexpr int kArrowDecades = 3;

// What an arrow's length stands for: in proportion, the flow density of an
// arrow one grid spacing long; logarithmic, the strongest (0.7 spacings
// long) and the faintest (length 0). All 0 when no arrow was drawn.
struct ArrowScale {
    double perSpacing = 0;
    double strongest = 0;
    double faintest = 0;
};

// Shaft from (x, y) to the tip, (dx, dy) away, and a head whose two strokes
// end beside the shaft's midpoint, a third of the shaft's length away on
// either side: each stroke is sqrt(1/4 + 1/9) = 0.60 shafts long,
// half-opening atan(2/3) = 33.7 deg. The head is built on the tip where the
// canvas puts it, so a raster canvas draws it from the tip's pixel.
void DrawArrow(platform::Canvas& canvas, int32_t x, int32_t y, double dx, double dy);

// Arrows of the energy flow density on a square grid: each arrow starts at
// its grid point and points along the summed flow density S there, scaled so
// that the strongest arrow of the picture is 0.7 grid spacings long. Arrows
// that would cross an object, or whose tip rounds to their start, are left
// out.
class TVektorpfeile : public GridDisplay {
public:
    // Sums the field at every grid point and draws the arrows. The scene must
    // be computed and its queries prepared (SceneList::PrepareQueries).
    ArrowScale Draw(const model::SceneList& list, const model::Tprgvar& settings, platform::Canvas& canvas,
                    platform::Platform& platform, ArrowLength length = ArrowLength::Proportional) const;
    // The dialog "Arrows of energy flow density".
    void Edit(platform::Platform& platform);
    // The section "vektorpfeile", its keyword line included.
    void SaveToFile(platform::TextFile& file) const;
};

}  // namespace brevanto::display
