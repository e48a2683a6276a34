// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/IterationPass.h"

#include <algorithm>

#include "model/Geometry.h"

namespace brevanto::model {

void PassChange::Note(double oldValue, double newValue, double abbruchgenauigkeit) {
    if (HasChanged(oldValue, newValue, abbruchgenauigkeit)) beyondCriterion = true;
    largestPercent = std::max(largestPercent, RelativeChangePercent(oldValue, newValue));
}

void PassChange::Add(const PassChange& other) {
    if (other.beyondCriterion) beyondCriterion = true;
    largestPercent = std::max(largestPercent, other.largestPercent);
}

}  // namespace brevanto::model
