// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace brevanto::platform {

// The integer that a double becomes: beyond 32 bits it saturates instead of
// overflowing, and NaN gives 0.
inline int32_t SaturateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// The nearest integer, halves to even: the pixel of a computed position, for
// drawing and for the occlusion tests alike.
inline int32_t NearestInt32(double value) { return SaturateToInt32(std::nearbyint(value)); }

}  // namespace brevanto::platform
