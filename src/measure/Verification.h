// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace brevanto::measure {

// Small built-in scenes whose field is known in closed form, computed with
// the program's own rules: how close the computation comes, and whether that
// is within what the cutting into surface elements explains.
// docs/MEASURING.md derives each answer and tolerance.
struct VerificationCase {
    std::string name;         // one word, as brevanto-cli prints it
    std::string description;  // what is compared, and its closed form
    double computed = 0;
    double exact = 0;
    // (computed - exact) in percent of the case's scale: the exact value, or
    // for an exact 0 the energy density at the point (in a full shadow, what
    // would arrive unshaded). For a direction (in degrees) the turn between
    // them, the shorter way, in percent of a radian.
    double difference = 0;
    double tolerance = 0;  // percent
    bool Passed() const { return std::fabs(difference) <= tolerance; }
};

// Every case, at this resolution of the calculation (sellaenge, richtungprosel).
std::vector<VerificationCase> Verify(int32_t sellaenge, int32_t richtungprosel);

}  // namespace brevanto::measure
