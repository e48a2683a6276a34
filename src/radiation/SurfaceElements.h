// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "model/Geometry.h"
#include "model/Numbers.h"

namespace brevanto::radiation {

// How surfaces are cut into surface elements and how the directions around an
// element are divided into bins. Emitters and mirrors share these rules.

// A point or vector in window pixels.
struct FloatPoint {
    float x;
    float y;
};

// Lambert's cosine law in two dimensions. An element of length e whose face
// has the exitance M sends to a point P at distance D from its centre E, h
// from the element's line (h = D cos alpha, alpha measured from the normal),
// the flow density c = k (P - E) with
//     k = M/2 * e * h / D^3,   so |c| = M/2 * e * cos(alpha) / D,
// and each face emits M * e in all. Every emitting surface uses this.
// Number may also be an DoublePair, for two elements at once.
template <class Number = double>
inline Number LambertFactor(std::type_identity_t<Number> exitance, std::type_identity_t<Number> elementLength,
                            std::type_identity_t<Number> h, std::type_identity_t<Number> distance) {
    return 0.5 * exitance * elementLength * h / (distance * distance * distance);
}

// Straight objects: n = Trunc(L / sellaenge + 1) elements of length L / n, so
// a segment shorter than sellaenge has one element.
int32_t StraightElementCount(float length, int32_t sellaenge);
float StraightElementLength(float length, int32_t count);
// Centre of element i (0-based, counted from point 1).
FloatPoint StraightElementCentre(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t i, int32_t count);

// Arc pieces spanning `span` degrees on a circle of radius r: at least as
// many elements as direction bins the span covers.
int32_t ArcElementCount(double span, int32_t radius, int32_t sellaenge, int32_t richtungprosel);
float ArcElementLength(double span, int32_t radius, int32_t count);
// The angle (degrees) of the centre of element i of the range [lo, hi].
double ArcElementAngle(double lo, double hi, int32_t i, int32_t count);

// The bin (0 ... n-1) of direction u measured against the reference t.
int32_t DirectionBinIndex(int32_t n, float ux, float uy, float tx, float ty);
// Bin j covers [j, j+1) * 360/n degrees; it represents t turned by
// (j + 0.5) * 2 pi / n opposite to the sense DirectionBin measures. The
// result has the length of t divided by `length` (pass |t| for a unit vector).
FloatPoint BinDirection(int32_t n, int32_t j, float tx, float ty, double length);

// A straight mirror element receiving radiation of bin b (measured against the
// reversed tangent): the bin in which it passes straight on, and the bin in
// which it leaves reflected, both measured against the tangent.
int32_t TransmittedBin(int32_t n, int32_t b);
int32_t ReflectedBin(int32_t n, int32_t b);

// The most radiation values (32-bit floats) one object may keep, about
// 400 MB; an object that would need more is refused with a message.
inline constexpr double kMostRadiationValues = 100'000'000;

// A window of directions in bin units, first <= last; last may exceed n - 1
// when the window wraps past bin 0.
struct BinWindow {
    float first;
    float last;
};

// The directions under which an element from e1 to e2 is seen from P, in
// bins measured against the reference t, taken the shorter way round.
BinWindow CoveredBinWindow(int32_t n, float px, float py, FloatPoint e1, FloatPoint e2, float tx, float ty);

// The bins of the window [first, last] with the covered fraction of each:
// visit(index, unreducedIndex, weight) in ascending order, index being the
// unreduced index mod n. A window starting below 0 is moved on by whole
// turns; one wider than n bins covers every bin once, fully.
template <class Visit>
void ForEachBinOfWindow(int32_t n, double first, double last, Visit&& visit) {
    if (last - first > n) {
        for (int32_t j = 0; j < n; ++j) visit(j, j, 1.0f);
        return;
    }
    if (first < 0) {
        const double turns = std::ceil(-first / n) * n;
        first += turns;
        last += turns;
    }
    const int32_t firstBin = model::Trunc(first);
    const int32_t lastBin = model::Trunc(last);
    const int32_t count = lastBin - firstBin + 1;
    for (int32_t k = 1; k <= count; ++k) {
        double weight = 1;
        if (k == count) weight = last - lastBin;
        if (k == 1) weight += firstBin - first;
        const int32_t unreduced = firstBin + k - 1;
        visit(unreduced % n, unreduced, static_cast<float>(weight));
    }
}

}  // namespace brevanto::radiation
