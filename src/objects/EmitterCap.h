// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>

#include "model/Szeneobjekt.h"

namespace brevanto::objects {

// An emitter element's vector as the lists of vectors hold it: right at the
// surface Lambert's law would give more than the surface emits, so it is
// shortened to `staerke`.
inline model::FlowVector CappedAtStrength(float cx, float cy, double staerke) {
    const double magnitude = std::sqrt(static_cast<double>(cx) * cx + static_cast<double>(cy) * cy);
    if (magnitude > staerke) {
        cx = static_cast<float>(cx * staerke / magnitude);
        cy = static_cast<float>(cy * staerke / magnitude);
    }
    return {cx, cy};
}

}  // namespace brevanto::objects
