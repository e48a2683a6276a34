// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/Rounding.h"

namespace brevanto::model {

// The program's rules for numbers. Stored quantities are 32-bit floats;
// everything computed between two stores is a double.

// Round to the nearest integer, halves to even (positions for drawing and
// occlusion tests). Values beyond 32 bits saturate instead of overflowing.
// The canvases round the positions they are handed by the same rule.
inline int32_t Round(double value) { return platform::NearestInt32(value); }

// Cut toward zero (counts and bin indices).
inline int32_t Trunc(double value) { return platform::SaturateToInt32(std::trunc(value)); }

// a + b, kept within 32 bits: a far-off object moved further stops at the
// edge of the coordinate range instead of wrapping around.
inline int32_t SaturatingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{a} + b, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

inline constexpr double kPi = 3.14159265358979323846;

}  // namespace brevanto::model
