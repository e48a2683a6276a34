// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace brevanto::objects {

// The power a mirror/diffusor's element values carry, for the energy balance.

// A bin's directed radiation v leaves an element of length e with the power
// v e |sin psi|, psi being the bin's middle angle from the element's
// tangent: the element, seen across the bin's directions, shows the width
// e |sin psi|. The widths of an element of unit length, bin by bin:
std::vector<double> BinWidths(size_t bins);

// The power of an element's directed bins.
double DirectedPower(std::span<const float> bins, const std::vector<double>& widths, double elementLength);

// The part of `total` that belongs to coefficient `part` when `total` came
// from the two coefficients together.
double CoefficientShare(double total, float part, float other);

// The percentage of what a mirror/diffusor receives that its coefficients
// pass on.
double PassedPercent(float dirref, float dirtrans, float difref, float diftrans);

}  // namespace brevanto::objects
