// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LightMeter.h"

#include <algorithm>
#include <cmath>

#include "model/FieldRange.h"
#include "model/Numbers.h"

namespace brevanto::model {

double TravelDirection(double fx, double fy) {
    double degrees = std::atan2(-fy, fx) * 180 / kPi;
    if (degrees < 0) degrees += 360;
    // A tiny negative angle plus 360 rounds to 360 itself.
    return degrees >= 360 ? 0 : degrees;
}

int DirectionSector(double degrees) {
    return std::clamp(static_cast<int>(degrees / platform::Measurement::kSectorDegrees), 0,
                      platform::Measurement::kSectors - 1);
}

double Directedness(double magnitude, double energy) {
    return energy > 0 ? std::min<double>(1, magnitude / energy) : 0;
}

platform::Measurement MeasureLight(const SceneList& list, int32_t x, int32_t y) {
    platform::Measurement measured;
    measured.x = x;
    measured.y = y;
    const FlowSum flow = list.FlowDensitySum(x, y);
    CheckFieldValue(std::hypot(flow.x, flow.y), x, y);
    measured.fx = flow.x;
    measured.fy = flow.y;
    measured.magnitude = std::hypot(flow.x, flow.y);
    measured.direction = TravelDirection(flow.x, flow.y);
    measured.energy = list.EnergyDensityAt(x, y);
    measured.directedness = Directedness(measured.magnitude, measured.energy);
    FlowVectorList contributions;
    for (const auto& object : list) {
        contributions.clear();
        object->FlowContributionsAt(x, y, list, 0, contributions);
        for (const FlowVector& f : contributions) {
            platform::Measurement::Sector& sector = measured.sectors[DirectionSector(TravelDirection(f.fx, f.fy))];
            sector.energy += std::hypot(static_cast<double>(f.fx), static_cast<double>(f.fy));
            sector.fx += f.fx;
            sector.fy += f.fy;
        }
    }
    return measured;
}

}  // namespace brevanto::model
