// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cmath>
#include <cstdint>

#include "model/Settings.h"

namespace brevanto::model {

// Small numeric and geometric helpers shared by the object kinds, the
// computation and the displays.

// Brings a into [0, period).
double NormalizeAngle(double a, double period);

// Whether the angle ranges a1..a2 and b1..b2 (degrees, clockwise, wrapping
// past 0 when the upper end is below the lower) overlap; plain ranges must
// overlap strictly. A wrapped range is split at 359 and 0.
bool AngleRangesOverlap(double a1, double a2, double b1, double b2);

// The angle of (x, y) in radians, in [0, 2 pi); the zero vector gives pi/2.
double DirectionAngle(double x, double y);

void Swap(float& a, float& b);

// Whether the point lies outside the settings' picture; the right and bottom
// border (x = breite, y = hoehe) still count as inside.
bool IsOffScreen(int32_t x, int32_t y, const Tprgvar& settings);

// The angle from vector u to vector v in units of n per full turn, in [0, n];
// exactly n (a hair short of a full turn) means the same as 0. With x to the
// right and y upward, a result below n/2 means v lies counter-clockwise of u.
float DirectionBin(int32_t n, float ux, float uy, float vx, float vy);
// DirectionBin of u1 and of u2 against the same v, computed side by side.
std::array<float, 2> DirectionBins(int32_t n, float u1x, float u1y, float u2x, float u2y, float vx, float vy);

// Whether a value changed by more than the stop criterion (abbruchgenauigkeit,
// percent), measured relative to the new value.
bool HasChanged(double oldValue, double newValue, double abbruchgenauigkeit);
// The change HasChanged compares with the criterion, in percent; infinite
// where a value left or reached 0.
double RelativeChangePercent(double oldValue, double newValue);

// Whether c lies in the closed interval between a and b.
inline bool Between(float a, float b, float c) { return a <= b ? (a <= c && c <= b) : (b <= c && c <= a); }

// Between on the coordinate of larger extent only (ties use y).
inline bool OnSegmentDominant(float x1, float x2, float x, float y1, float y2, float y) {
    if (std::fabs(static_cast<double>(x1) - x2) > std::fabs(static_cast<double>(y1) - y2)) return Between(x1, x2, x);
    return Between(y1, y2, y);
}

double Max(double a, double b);

}  // namespace brevanto::model
