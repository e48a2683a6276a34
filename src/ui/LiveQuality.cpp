// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LiveQuality.h"

#include <algorithm>
#include <limits>

namespace brevanto::ui {

using namespace model;
using namespace display;

namespace {

double FrameSeconds(int32_t coarseness, double calculationSeconds, int32_t passes, double displaySeconds) {
    if (coarseness == 1) return calculationSeconds + displaySeconds;
    const double fewerPasses = static_cast<double>(std::min(passes, kLivePasses)) / std::max(passes, 1);
    return (calculationSeconds * fewerPasses + displaySeconds) / (double{1} * coarseness * coarseness);
}

int32_t Times(int32_t value, int32_t coarseness) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{value} * coarseness, std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t LiveCoarseness(double calculationSeconds, int32_t passes, double displaySeconds) {
    for (int32_t coarseness = 1; coarseness <= kCoarsestLive; ++coarseness)
        if (FrameSeconds(coarseness, calculationSeconds, passes, displaySeconds) <= kLiveFrameSeconds)
            return coarseness;
    return FrameSeconds(kCoarsestLive, calculationSeconds, passes, displaySeconds) <= kSlowestLiveFrame ? kCoarsestLive
                                                                                                        : 0;
}

void Coarsen(int32_t coarseness, Tprgvar& settings, Displays& displays, ColourMaps& maps) {
    // Their work grows beyond their estimate where the grid is coarse.
    maps.diffuseness.everyPixelWhereCoarse = maps.energyDensity.everyPixelWhereCoarse = false;
    if (coarseness <= 1) return;
    settings.sellaenge = Times(settings.sellaenge, coarseness);
    settings.richtungprosel = std::max(settings.richtungprosel / coarseness, 1);
    settings.maximaleiterationen = std::min(settings.maximaleiterationen, kLivePasses);
    displays.vektorpfeile.gitterweite = Times(displays.vektorpfeile.gitterweite, coarseness);
    displays.energiekreise.gitterweite = Times(displays.energiekreise.gitterweite, coarseness);
    displays.linien.linienabstand = Times(displays.linien.linienabstand, coarseness);
    maps.diffuseness.gitterweite = Times(maps.diffuseness.gitterweite, coarseness);
    maps.energyDensity.gitterweite = Times(maps.energyDensity.gitterweite, coarseness);
}

}  // namespace brevanto::ui
