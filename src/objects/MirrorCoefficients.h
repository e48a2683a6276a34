// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "model/FieldTable.h"

namespace brevanto::objects {

// The four coefficients of a mirror/diffusor in percent: direct and diffuse
// reflectivity, direct and diffuse transmittance. The dialogs take each
// within 0 to 100 and together at most 100, so a mirror never sends out more
// than it receives. A scene file may hold others; the computation then stops
// at its pass limit and refuses radiation that outgrows the floats.

// Why a dialog refuses one coefficient.
std::string CoefficientProblem(double coefficient);

// The fields "dirref", "dirtrans", "difref", "diftrans" in the order of the
// scene file, each with "%" beside it; `difrefLabel` is what the kind's
// dialog calls the diffuse reflectivity.
template <class Mirror>
std::vector<typename model::FieldTable<Mirror>::Field> MirrorCoefficientFields(const std::string& difrefLabel) {
    return {{{"dirref", "Direct reflectivity", "%", CoefficientProblem}, &Mirror::dirref},
            {{"dirtrans", "Direct transmittance", "%", CoefficientProblem}, &Mirror::dirtrans},
            {{"difref", difrefLabel, "%", CoefficientProblem}, &Mirror::difref},
            {{"diftrans", "Diffuse transmittance", "%", CoefficientProblem}, &Mirror::diftrans}};
}

// Their controls in the order the dialogs show them: the reflectivities first.
std::vector<platform::Control> MirrorCoefficientControls(const model::FieldList& fields);

// Why a dialog refuses the four together, in its own words; empty when it
// takes them.
std::string MirrorCoefficientProblem(float dirref, float dirtrans, float difref, float diftrans);

// That refusal in a dialog, at the first coefficient's field.
template <class Mirror>
void RequireMirrorCoefficients(const Mirror& mirror, platform::FieldReader& fields) {
    const std::string problem =
        MirrorCoefficientProblem(mirror.dirref, mirror.dirtrans, mirror.difref, mirror.diftrans);
    fields.Require(problem.empty(), "dirref", problem);
}

// "reflects 50 %, diffusely 20 %; transmits 10 %, diffusely 0 %": the
// coefficients in a line of the object list.
std::string MirrorCoefficientSummary(float dirref, float dirtrans, float difref, float diftrans);

}  // namespace brevanto::objects
