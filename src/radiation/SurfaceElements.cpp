// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiation/SurfaceElements.h"

#include <cmath>

namespace brevanto::radiation {

using namespace model;

int32_t StraightElementCount(float length, int32_t sellaenge) {
    return Trunc(static_cast<double>(length) / sellaenge + 1);
}

float StraightElementLength(float length, int32_t count) {
    return static_cast<float>(static_cast<double>(length) / count);
}

FloatPoint StraightElementCentre(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t i, int32_t count) {
    const double fraction = (i + 0.5) / count;
    return {static_cast<float>(static_cast<double>(int64_t{x2} - x1) * fraction + x1),
            static_cast<float>(static_cast<double>(int64_t{y2} - y1) * fraction + y1)};
}

int32_t ArcElementCount(double span, int32_t radius, int32_t sellaenge, int32_t richtungprosel) {
    return Trunc(Max(span / 360 * 2 * kPi * radius / sellaenge, (static_cast<double>(richtungprosel) * span) / 360));
}

float ArcElementLength(double span, int32_t radius, int32_t count) {
    return static_cast<float>(span / 180 * kPi * radius / count);
}

double ArcElementAngle(double lo, double hi, int32_t i, int32_t count) {
    const double fraction = (i + 0.5) / count;
    return lo * (1 - fraction) + hi * fraction;
}

int32_t DirectionBinIndex(int32_t n, float ux, float uy, float tx, float ty) {
    const int32_t bin = Trunc(DirectionBin(n, ux, uy, tx, ty));
    return bin >= n ? 0 : bin;
}

FloatPoint BinDirection(int32_t n, int32_t j, float tx, float ty, double length) {
    const double theta = (j + 0.5) * 2 * kPi / n;
    const double c = std::cos(theta), s = std::sin(theta);
    return {static_cast<float>((c * tx + s * ty) / length), static_cast<float>((-s * tx + c * ty) / length)};
}

int32_t TransmittedBin(int32_t n, int32_t b) {
    int32_t j = n / 2 + b;
    if (j >= n) j -= n;
    return j;
}

int32_t ReflectedBin(int32_t n, int32_t b) {
    int32_t j = Trunc(1.5 * n - 1) - b;
    if (j >= n) j -= n;
    return j;
}

BinWindow CoveredBinWindow(int32_t n, float px, float py, FloatPoint e1, FloatPoint e2, float tx, float ty) {
    auto [a1, a2] = DirectionBins(n, px - e1.x, py - e1.y, px - e2.x, py - e2.y, tx, ty);
    if (a1 > a2) Swap(a1, a2);
    if (static_cast<double>(a2) - a1 > static_cast<double>(n) / 2) {
        // The window wraps past bin 0: take it the shorter way.
        a1 = static_cast<float>(static_cast<double>(a1) + n);
        Swap(a1, a2);
    }
    return {a1, a2};
}

}  // namespace brevanto::radiation
