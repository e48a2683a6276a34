// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/MirrorPower.h"

#include <cmath>

#include "model/Numbers.h"

namespace brevanto::objects {

using namespace model;

std::vector<double> BinWidths(size_t bins) {
    std::vector<double> widths(bins);
    for (size_t j = 0; j < bins; ++j)
        widths[j] = std::fabs(std::sin((static_cast<double>(j) + 0.5) * 2 * kPi / static_cast<double>(bins)));
    return widths;
}

double DirectedPower(std::span<const float> bins, const std::vector<double>& widths, double elementLength) {
    double power = 0;
    for (size_t j = 0; j < bins.size(); ++j) power += bins[j] * widths[j];
    return power * elementLength;
}

double CoefficientShare(double total, float part, float other) {
    const double sum = static_cast<double>(part) + other;
    return sum > 0 ? total * part / sum : 0;
}

double PassedPercent(float dirref, float dirtrans, float difref, float diftrans) {
    return static_cast<double>(dirref) + difref + dirtrans + diftrans;
}

}  // namespace brevanto::objects
