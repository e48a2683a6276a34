// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/LineReading.h"

#include <cmath>

#include "model/Numbers.h"

namespace brevanto::measure {

using namespace model;

LineReading MeasureAlong(const SceneList& list, const MeasuringLine& line, const StopCheck& stop) {
    LineReading reading;
    const double dx = static_cast<double>(line.x2) - line.x1;
    const double dy = static_cast<double>(line.y2) - line.y1;
    const double length = std::hypot(dx, dy);
    if (length == 0 || line.samples < 1) return reading;
    // The right of the direction on the screen, where y grows downwards.
    const double rightX = -dy / length, rightY = dx / length;
    const double piece = length / line.samples;
    FlowVectorList contributions;
    for (int32_t k = 0; k < line.samples; ++k) {
        stop();
        LineSample sample;
        sample.along = (k + 0.5) * piece;
        sample.x = line.x1 + dx * sample.along / length;
        sample.y = line.y1 + dy * sample.along / length;
        sample.px = Round(sample.x);
        sample.py = Round(sample.y);
        for (const auto& object : list) {
            contributions.clear();
            object->FlowContributionsAt(sample.px, sample.py, list, 0, contributions);
            for (const FlowVector& f : contributions) {
                const double across = f.fx * rightX + f.fy * rightY;
                if (across > 0)
                    sample.plus += across;
                else
                    sample.minus -= across;
            }
        }
        sample.energy = list.EnergyDensityAt(sample.px, sample.py);
        reading.powerPlus += sample.plus * piece;
        reading.powerMinus += sample.minus * piece;
        reading.samples.push_back(sample);
    }
    return reading;
}

}  // namespace brevanto::measure
