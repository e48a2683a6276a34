// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiation/ArcElements.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace brevanto::radiation {

using namespace model;

namespace {

double Radians(double degrees) { return degrees * kPi / 180; }

// The point of the circle at the arc angle.
FloatPoint PointAt(const TObjektKreis& circle, double degrees) {
    return {static_cast<float>(circle.xmitte + circle.radius * std::sin(Radians(degrees))),
            static_cast<float>(circle.ymitte - circle.radius * std::cos(Radians(degrees)))};
}

// The angle where element i of n starts: lo (1 - i/n) + hi i/n.
double StartAngle(AngleRange range, int32_t i, int32_t count) {
    return range.lo * (1 - static_cast<double>(i) / count) + static_cast<double>(int64_t{range.hi} * i) / count;
}

ArcPiece CutRange(const TObjektKreis& circle, AngleRange range, int32_t count) {
    ArcPiece piece{range, 0, {}, {}};
    if (count < 1) return piece;
    piece.elementLength = ArcElementLength(range.Span(), circle.radius, count);
    piece.elements.resize(static_cast<size_t>(count));
    piece.run.radius = circle.radius;
    piece.run.angleStep = Radians(range.Span()) / count;
    for (int32_t i = 0; i < count; ++i) {
        ArcElement& element = piece.elements[static_cast<size_t>(i)];
        element = ArcElementOf(circle, range, i, count);
        piece.run.points.push_back({Round(element.centre.x), Round(element.centre.y)});
    }
    return piece;
}

}  // namespace

// In double: a count near the 32-bit limit plus the extra must not overflow
// before it is refused.
double ArcRangeElementCount(const TObjektKreis& circle, AngleRange range, int32_t sellaenge, int32_t richtungprosel,
                            int32_t extraElements) {
    if (circle.radius < 1 || range.Span() < 0) return 0;
    return std::max<double>(0, ArcElementCount(range.Span(), circle.radius, sellaenge, richtungprosel) +
                                   static_cast<double>(extraElements));
}

ArcElement ArcElementOf(const TObjektKreis& circle, AngleRange range, int32_t i, int32_t count) {
    ArcElement element;
    const auto theta = static_cast<float>(ArcElementAngle(range.lo, range.hi, i, count));
    const double sine = std::sin(Radians(theta)), cosine = std::cos(Radians(theta));
    element.normal = {static_cast<float>(sine), static_cast<float>(-cosine)};
    element.s = {static_cast<float>(circle.radius * sine), static_cast<float>(-circle.radius * cosine)};
    // C + S rounded once, from the unrounded S.
    element.centre = {static_cast<float>(circle.xmitte + circle.radius * sine),
                      static_cast<float>(circle.ymitte - circle.radius * cosine)};
    element.start = PointAt(circle, StartAngle(range, i, count));
    element.end = PointAt(circle, StartAngle(range, i + 1, count));
    return element;
}

double FaceProbeRadius(int32_t radius, double sigma) {
    if (sigma < 0 && radius <= kFaceProbeOffset) return radius / 3.0;
    return radius + kFaceProbeOffset * sigma;
}

int64_t ArcElementTotal(const TObjektKreis& circle, const AngleRanges& ranges, int32_t sellaenge,
                        int32_t richtungprosel, int32_t extraElements) {
    double total = 0;
    for (const AngleRange& range : ranges)
        total += ArcRangeElementCount(circle, range, sellaenge, richtungprosel, extraElements);
    return static_cast<int64_t>(std::min<double>(total, 0x1p62));
}

std::vector<ArcPiece> CutArc(const TObjektKreis& circle, const AngleRanges& ranges, int32_t sellaenge,
                             int32_t richtungprosel, const ArcCutRule& rule) {
    std::vector<double> counts;
    double values = 0;
    for (const AngleRange& range : ranges) {
        counts.push_back(ArcRangeElementCount(circle, range, sellaenge, richtungprosel, rule.extraElements));
        values += counts.back() * rule.valuesPerElement;
    }
    if (values > kMostRadiationValues) throw std::runtime_error(rule.tooLarge);
    std::vector<ArcPiece> pieces;
    for (size_t k = 0; k < ranges.count; ++k)
        pieces.push_back(CutRange(circle, ranges.ranges[k], static_cast<int32_t>(counts[k])));
    return pieces;
}

namespace {

// Whether the arc angle phi (degrees, [0, 360]) lies inside the ranges, their
// ends excluded. Where one range ends at 360 and another starts at 0, as in
// a full circle, 0 lies inside: the arc runs on through it.
bool CoversInside(const AngleRanges& ranges, double phi) {
    if (phi >= 360) phi -= 360;
    bool endsAt360 = false, startsAt0 = false;
    for (const AngleRange& range : ranges) {
        if (range.lo < phi && phi < range.hi) return true;
        endsAt360 = endsAt360 || (range.hi == 360 && range.lo < 360);
        startsAt0 = startsAt0 || (range.lo == 0 && range.hi > 0);
    }
    return phi == 0 && endsAt360 && startsAt0;
}

// With d = E - P, the sight line from P meets the circle again at
// Q = E + s d, s = -2 (d.S) / |d|^2; it enters there before E when s < 0.
bool HiddenBehindItself(const TObjektKreis& circle, const AngleRanges& ranges, const ArcElement& element, double dx,
                        double dy, double distance) {
    const double s = -2 * (dx * element.s.x + dy * element.s.y) / (distance * distance);
    if (!(s < 0)) return false;
    // A full circle covers every arc angle, 0 among them: Q lies on it
    // wherever it is, and its angle, an arc tangent, is not needed.
    if (ranges.count == 1 && ranges.ranges[0].lo == 0 && ranges.ranges[0].hi == 360) return true;
    const double qx = element.centre.x + s * dx, qy = element.centre.y + s * dy;
    // Up first, then right: the arc angle of Q in degrees.
    return CoversInside(ranges, DirectionAngle(circle.ymitte - qy, qx - circle.xmitte) * 180 / kPi);
}

}  // namespace

bool ArcElementSees(const TObjektKreis& circle, const AngleRanges& ranges, const ArcElement& element, SightPoint end,
                    int32_t px, int32_t py, bool outside, const OcclusionIndex::Candidates& occluders) {
    const auto dx = static_cast<float>(element.centre.x - static_cast<double>(px));
    const auto dy = static_cast<float>(element.centre.y - static_cast<double>(py));
    const auto distance = static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (distance == 0) return false;
    if (outside && HiddenBehindItself(circle, ranges, element, dx, dy, distance)) return false;
    return !occluders.Blocks(px, py, end.x, end.y);
}

}  // namespace brevanto::radiation
