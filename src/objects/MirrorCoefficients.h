#pragma once
#include <string>

#include "model/Stringfunktionen.h"

// The four coefficients of a mirror/diffusor in percent: direct and diffuse
// reflectivity, direct and diffuse transmittance. Each lies within 0 to 100
// and together they are at most 100, so a mirror never sends out more than it
// receives and the iteration cannot grow without bound.

// Why a dialog refuses them, in its own words; empty when it takes them.
std::string MirrorCoefficientProblem(float dirref, float dirtrans, float difref, float diftrans);

// Reads the four keys of the scene file, "dirref=", "dirtrans=", "difref=",
// "diftrans="; false when a key does not match. Values the dialog would
// refuse raise ConversionError with a message. Stores nothing unless all four
// are right.
bool ReadMirrorCoefficients(KeyReader& reader, float& dirref, float& dirtrans, float& difref, float& diftrans);
