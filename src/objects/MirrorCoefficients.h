// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "model/TextParts.h"

namespace platform {
class FieldReader;
}

// The four coefficients of a mirror/diffusor in percent: direct and diffuse
// reflectivity, direct and diffuse transmittance. The dialogs take each
// within 0 to 100 and together at most 100, so a mirror never sends out more
// than it receives. A scene file may hold others; the computation then stops
// at its pass limit and refuses radiation that outgrows the floats.

// Why a dialog refuses them, in its own words; empty when it takes them.
std::string MirrorCoefficientProblem(float dirref, float dirtrans, float difref, float diftrans);

// The same refusals in a dialog, each at its field (the sum at the first
// coefficient's).
void RequireMirrorCoefficients(platform::FieldReader& fields, float dirref, float dirtrans, float difref,
                               float diftrans);

// "reflects 50 %, diffusely 20 %; transmits 10 %, diffusely 0 %": the
// coefficients in a line of the object list.
std::string MirrorCoefficientSummary(float dirref, float dirtrans, float difref, float diftrans);

// Reads the four keys of the scene file, "dirref=", "dirtrans=", "difref=",
// "diftrans="; false when a key does not match. Values the dialog would
// refuse are kept as stored (MirrorCoefficientProblem tells of them). Stores
// nothing unless all four are read.
bool ReadMirrorCoefficients(KeyReader& reader, float& dirref, float& dirtrans, float& difref, float& diftrans);
