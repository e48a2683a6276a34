// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "display/ColourScale.h"
#include "display/GridDisplay.h"
#include "model/SceneList.h"

namespace brevanto::platform {
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::display {

// A value of the field shown as colours over the whole picture. It is
// computed on a grid of the map's own spacing and interpolated bilinearly
// between the grid points (pixels beyond the outer grid lines take the
// nearest line's values); where no light arrives the picture stays as the
// scene shows it. A grid point on an object (within a pixel of it) that no
// light reaches tells nothing: an object blocks every path that ends on it,
// but the light beside it is what counts. The objects are drawn again over
// the colours, and a legend tells the values. Its settings live with the
// main window, not in the scene file.
class ColourMap : public GridDisplay {
public:
    ColourMap() { gitterweite = 4; }

    // Whether the cells where the grid is too coarse are sampled more
    // finely, along their edges or at every pixel (on unless switched off):
    // off, the map is interpolated from the grid alone, as quick as the
    // arrows on the same grid.
    bool everyPixelWhereCoarse = true;

protected:
    // How far, in steps of the ramp, the ramp's place may bend from one grid
    // point to the next along an axis for the grid alone to draw along it:
    // a second difference d lets the linear interpolation miss by up to
    // d / 8, and light that ripples faster than the grid (the frame's
    // elements of the background radiation seen from close by) shows on the
    // grid as second differences of the ripple's height. Each map takes the
    // largest with which every example stays within 1 % of the map computed
    // at every pixel (docs/PERFORMANCE.md).
    double largestBend = 1.5;

    // What the map shows at a grid point, and whether light arrives there.
    struct Sample {
        float value = 0;
        bool lit = false;
    };
    using SampleAt = std::function<Sample(const model::SceneList& list, int32_t x, int32_t y)>;
    using ScaleFor = std::function<ValueScale(const std::vector<Sample>& samples)>;

    // Samples every grid point (in parallel, as the arrows and circles do),
    // then paints the picture. `what` names the map's colours in the
    // progress and messages ("diffuseness colours").
    void DrawMap(const model::SceneList& list, const model::Tprgvar& settings, platform::Canvas& canvas,
                 platform::Platform& platform, const std::string& what, const std::string& title,
                 const SampleAt& sampleAt, const ScaleFor& scaleFor) const;
};

// 1 - |F|/E, from 0 where all light travels one way to 1 where as much
// arrives from every side.
class DiffusenessMap : public ColourMap {
public:
    // The scene must be computed and its queries prepared.
    void Draw(const model::SceneList& list, const model::Tprgvar& settings, platform::Canvas& canvas,
              platform::Platform& platform) const;
    // The dialog "Diffuseness map": pixel width, the legend's colour.
    void Edit(platform::Platform& platform);
};

// The energy density E, from 0 (or, logarithmic, four decades below the
// largest value at most) to the largest value in the picture.
class EnergyDensityMap : public ColourMap {
public:
    // Its ripples in the diffusor box stay within 1 % up to 2 steps, where
    // the diffuseness's need 1.5.
    EnergyDensityMap() { largestBend = 2; }

    bool logarithmic = false;

    // The scene must be computed and its queries prepared.
    void Draw(const model::SceneList& list, const model::Tprgvar& settings, platform::Canvas& canvas,
              platform::Platform& platform) const;
    // The dialog "Energy density map": pixel width, linear or logarithmic,
    // the legend's colour.
    void Edit(platform::Platform& platform);
};

struct ColourMaps {
    DiffusenessMap diffuseness;
    EnergyDensityMap energyDensity;
};

}  // namespace brevanto::display
