// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "model/FieldTable.h"

namespace brevanto::objects {

// What a dialog says of a strength beyond kLargestStrength; empty for one
// it takes.
std::string StrengthProblem(double staerke);

// The emitters' field "staerke", their emitted energy flow density, with the
// label their dialog gives it.
template <class Kind>
std::vector<typename model::FieldTable<Kind>::Field> StrengthField(const std::string& label) {
    return {{{"staerke", label, {}, StrengthProblem}, &Kind::staerke}};
}

}  // namespace brevanto::objects
