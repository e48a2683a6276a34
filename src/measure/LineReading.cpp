// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/LineReading.h"

#include <cmath>

LineReading MeasureAlong(const SceneList& list, const MeasuringLine& line, const StopCheck& stop) {
    LineReading reading;
    const Extended dx = static_cast<Extended>(line.x2) - line.x1;
    const Extended dy = static_cast<Extended>(line.y2) - line.y1;
    const Extended length = std::hypot(dx, dy);
    if (length == 0 || line.samples < 1) return reading;
    // The right of the direction on the screen, where y grows downwards.
    const Extended rightX = -dy / length, rightY = dx / length;
    const Extended piece = length / line.samples;
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
                const Extended across = f.fx * rightX + f.fy * rightY;
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
