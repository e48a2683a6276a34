// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/StrengthField.h"

#include <cmath>

#include "model/Szeneobjekt.h"
#include "platform/Conversions.h"

namespace brevanto::objects {

using namespace model;

std::string StrengthProblem(double staerke) {
    if (std::fabs(staerke) <= kLargestStrength) return {};
    return "The energy flow density must lie between " + platform::FloatToStr(-kLargestStrength, 5) + " and " +
           platform::FloatToStr(kLargestStrength, 5) + ".";
}

}  // namespace brevanto::objects
