// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "model/MeasuringLine.h"
#include "model/SceneList.h"

namespace brevanto::measure {

// The light at one sample of a measuring line, `along` pixels from its first
// point at (x, y) and queried at the pixel (px, py) nearest to it: the
// irradiance crossing the line from the left of its direction (x1, y1) ->
// (x2, y2), as seen on the screen, to its right ("plus"), the irradiance
// crossing it the other way ("minus"), each the sum of the components across
// the line of the flow vectors that cross it so, and the energy density E.
struct LineSample {
    double along = 0;
    double x = 0;
    double y = 0;
    int32_t px = 0;
    int32_t py = 0;
    double plus = 0;
    double minus = 0;
    double energy = 0;
};

// The samples in order, and the power crossing the line each way: every
// sample's irradiance times the length of its piece.
struct LineReading {
    std::vector<LineSample> samples;
    double powerPlus = 0;
    double powerMinus = 0;
};

// Samples at the middles of `samples` equal pieces of the line; nothing for
// a line of no length. The queries must be prepared
// (SceneList::PrepareQueries); `stop` is asked before every sample.
LineReading MeasureAlong(const model::SceneList& list, const model::MeasuringLine& line, const model::StopCheck& stop);

}  // namespace brevanto::measure
