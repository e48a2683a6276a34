// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "model/SceneList.h"
#include "platform/Measurement.h"

namespace brevanto::model {

// The light meter: what arrives at one point, split by the direction it
// travels in. The queries must be prepared (SceneList::PrepareQueries).

// The direction in which a vector (fx, fy) in window coordinates travels, in
// degrees counter-clockwise from +x with y pointing up: atan2(-fy, fx),
// brought into [0, 360).
double TravelDirection(double fx, double fy);

// The sector 0 ... Measurement::kSectors - 1 of a direction in [0, 360).
int DirectionSector(double degrees);

// |F| / E: 1 where all light travels the same way (a single beam), 0 where
// as much arrives from every side (or nothing arrives at all). Light from
// opposite sides cancels in F but adds up in E, so |F| <= E; a value above
// 1 can only come from the rounding of the two sums and is cut to 1.
double Directedness(double magnitude, double energy);

// F as the arrows show it (SceneList::FlowDensitySum), E as the circles show
// it (SceneList::EnergyDensityAt), and every individual flow vector reaching
// (x, y) sorted into the sector of its travel direction.
platform::Measurement MeasureLight(const SceneList& list, int32_t x, int32_t y);

}  // namespace brevanto::model
