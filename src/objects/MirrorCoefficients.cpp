// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/MirrorCoefficients.h"

#include "platform/Conversions.h"

namespace brevanto::objects {

using namespace model;

namespace {
bool InPercent(double value) { return value >= 0 && value <= 100; }
constexpr const char* kEachInPercent = "Each coefficient must lie between 0 and 100%.";
}  // namespace

std::string CoefficientProblem(double coefficient) { return InPercent(coefficient) ? std::string{} : kEachInPercent; }

std::vector<platform::Control> MirrorCoefficientControls(const FieldList& fields) {
    return fields.Controls({"dirref", "difref", "dirtrans", "diftrans"});
}

std::string MirrorCoefficientSummary(float dirref, float dirtrans, float difref, float diftrans) {
    const auto percent = [](float value) { return platform::ShortestFloatToStr(value) + " %"; };
    return "reflects " + percent(dirref) + ", diffusely " + percent(difref) + "; transmits " + percent(dirtrans) +
           ", diffusely " + percent(diftrans);
}

std::string MirrorCoefficientProblem(float dirref, float dirtrans, float difref, float diftrans) {
    if (!InPercent(dirref) || !InPercent(dirtrans) || !InPercent(difref) || !InPercent(diftrans)) return kEachInPercent;
    if (static_cast<double>(dirref) + dirtrans + difref + diftrans > 100) return "The sum must not be more than 100%.";
    return {};
}

}  // namespace brevanto::objects
