// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace brevanto::model {

// A field value beyond what a float holds comes only from strengths or
// mirror coefficients that no dialog takes (a scene file keeps them as
// stored). It is no result: displays and probes report it instead of drawing,
// printing or rounding it.
inline bool InFloatRange(double value) { return std::fabs(value) <= std::numeric_limits<float>::max(); }

// Throws std::runtime_error naming (x, y) unless the value is in float range.
inline void CheckFieldValue(double value, int32_t x, int32_t y) {
    if (!InFloatRange(value))
        throw std::runtime_error("The field at (" + std::to_string(x) + ", " + std::to_string(y) +
                                 ") is too large to compute: the strengths of the scene are too high.");
}

}  // namespace brevanto::model
