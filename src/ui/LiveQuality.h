// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "display/ColourMaps.h"
#include "display/Displays.h"
#include "model/Settings.h"

namespace brevanto::ui {

// How coarse the display that follows a drag is computed, so that it keeps
// up with the mouse: 1 as the display itself (the colour maps without their
// cells sampled at every pixel), k > 1 with elements, grid spacings and line
// distances k times as long, a k-th of the direction bins and at most
// kLivePasses passes.
inline constexpr int32_t kLivePasses = 8;
inline constexpr int32_t kCoarsestLive = 8;
// A frame should take this long at most, ten a second with room for a busy
// machine; where even the coarsest takes longer than kSlowestLiveFrame (four
// a second), the display does not follow the drag.
inline constexpr double kLiveFrameSeconds = 0.05;
inline constexpr double kSlowestLiveFrame = 0.25;

// The least coarseness at which a frame is estimated to take at most
// kLiveFrameSeconds, from what the computation (in `passes` passes) and the
// display take at full quality; kCoarsestLive when only that comes within
// kSlowestLiveFrame, and 0 when not even that does. The work shrinks with
// the square of the coarseness or faster: the grid points or lines by one
// factor, the elements that each visits by another.
int32_t LiveCoarseness(double calculationSeconds, int32_t passes, double displaySeconds);

// Makes the settings and the displays' parameters as coarse; the colour
// maps show their grid alone at any coarseness.
void Coarsen(int32_t coarseness, model::Tprgvar& settings, display::Displays& displays, display::ColourMaps& maps);

}  // namespace brevanto::ui
