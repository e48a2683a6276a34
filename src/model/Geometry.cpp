// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Geometry.h"

#include <cmath>
#include <limits>
#include <utility>

#include "model/DoublePair.h"
#include "model/Numbers.h"

namespace brevanto::model {

double NormalizeAngle(double a, double period) {
    // Far-off values are brought near first so that the loops stay short.
    if (std::fabs(a) > 4 * period) a = std::fmod(a, period);
    while (a >= period) a -= period;
    while (a < 0) a += period;
    return a;
}

namespace {
bool PlainOverlap(double a1, double a2, double b1, double b2) { return b1 < a2 && a1 < b2; }

// Range a is no longer wrapped; b may be. Each range is split at most once:
// a range starting between 359 and 360 would give a piece a1..359 that wraps
// again, without end.
bool OverlapSplittingB(double a1, double a2, double b1, double b2) {
    if (b2 < b1) return PlainOverlap(a1, a2, b1, 359) || PlainOverlap(a1, a2, 0, b2);
    return PlainOverlap(a1, a2, b1, b2);
}
}  // namespace

bool AngleRangesOverlap(double a1, double a2, double b1, double b2) {
    a1 = NormalizeAngle(a1, 360);
    a2 = NormalizeAngle(a2, 360);
    b1 = NormalizeAngle(b1, 360);
    b2 = NormalizeAngle(b2, 360);
    if (a2 < a1) return OverlapSplittingB(a1, 359, b1, b2) || OverlapSplittingB(0, a2, b1, b2);
    return OverlapSplittingB(a1, a2, b1, b2);
}

double DirectionAngle(double x, double y) {
    double r;
    if (x != 0) {
        r = std::atan(y / x);
        if (x < 0) r += kPi;
    } else {
        r = y >= 0 ? kPi / 2 : -kPi / 2;
    }
    if (r < 0) r += 2 * kPi;
    return r;
}

void Swap(float& a, float& b) { std::swap(a, b); }

bool IsOffScreen(int32_t x, int32_t y, const Tprgvar& settings) {
    return x < 0 || x > settings.breite || y < 0 || y > settings.hoehe;
}

namespace {

// The cosine and sine of the angle from u to v, and the product of their
// lengths; everything in double: a sine or cosine rounded to float first
// moves light that arrives exactly on a bin boundary into the bin below.
template <class Number>
struct Turn {
    Number length, c, s;
};
template <class Number>
Turn<Number> TurnBetween(Number ux, Number uy, Number vx, Number vy) {
    const Number length = Sqrt((ux * ux + uy * uy) * (vx * vx + vy * vy));
    return {length, (ux * vx + uy * vy) / length, (ux * vy - vx * uy) / length};
}

float BinOfTurn(int32_t n, double length, double c, double s) {
    if (length == 0) return 0;
    const double perTurn = static_cast<double>(n) / 2 / kPi;
    double r;
    if (c > 0.7)
        r = std::asin(s) * perTurn;
    else if (c < -0.7)
        r = static_cast<double>(n) / 2 - std::asin(s) * perTurn;
    else if (s > 0)
        r = std::acos(c) * perTurn;
    else
        r = n - std::acos(c) * perTurn;
    if (r > n) r -= n;
    if (r < 0) r += n;
    return static_cast<float>(r);
}

}  // namespace

float DirectionBin(int32_t n, float ux, float uy, float vx, float vy) {
    const Turn<double> turn = TurnBetween<double>(ux, uy, vx, vy);
    return BinOfTurn(n, turn.length, turn.c, turn.s);
}

std::array<float, 2> DirectionBins(int32_t n, float u1x, float u1y, float u2x, float u2y, float vx, float vy) {
    const Turn<DoublePair> turn =
        TurnBetween(DoublePair(u1x, u2x), DoublePair(u1y, u2y), DoublePair(vx), DoublePair(vy));
    return {BinOfTurn(n, turn.length.First(), turn.c.First(), turn.s.First()),
            BinOfTurn(n, turn.length.Second(), turn.c.Second(), turn.s.Second())};
}

bool HasChanged(double oldValue, double newValue, double abbruchgenauigkeit) {
    if (oldValue == 0) return newValue != 0;
    if (newValue == 0) return true;
    return std::fabs((oldValue - newValue) / newValue) > abbruchgenauigkeit / 100.0;
}

double RelativeChangePercent(double oldValue, double newValue) {
    if (oldValue == newValue) return 0;
    if (oldValue == 0 || newValue == 0) return std::numeric_limits<double>::infinity();
    return std::fabs((oldValue - newValue) / newValue) * 100;
}

double Max(double a, double b) { return b >= a ? b : a; }

}  // namespace brevanto::model
