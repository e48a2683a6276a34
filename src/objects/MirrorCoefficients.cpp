// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/MirrorCoefficients.h"

#include <utility>

#include "model/Numbers.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"

namespace {
bool InPercent(float value) { return value >= 0 && value <= 100; }
constexpr const char* kEachInPercent = "Each coefficient must lie between 0 and 100%.";
}  // namespace

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

void RequireMirrorCoefficients(platform::FieldReader& fields, float dirref, float dirtrans, float difref,
                               float diftrans) {
    // In the order the dialogs show them.
    for (const auto& [id, value] : {std::pair{"dirref", dirref}, std::pair{"difref", difref},
                                    std::pair{"dirtrans", dirtrans}, std::pair{"diftrans", diftrans}})
        fields.Require(InPercent(value), id, kEachInPercent);
    const std::string problem = MirrorCoefficientProblem(dirref, dirtrans, difref, diftrans);
    fields.Require(problem.empty(), "dirref", problem);
}

bool ReadMirrorCoefficients(KeyReader& reader, float& dirref, float& dirtrans, float& difref, float& diftrans) {
    float read[4] = {};
    if (!(reader.Float("dirref=", read[0]) && reader.Float("dirtrans=", read[1]) && reader.Float("difref=", read[2]) &&
          reader.Float("diftrans=", read[3])))
        return false;
    dirref = read[0];
    dirtrans = read[1];
    difref = read[2];
    diftrans = read[3];
    return true;
}
