// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ArcElementsNearPicture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/Geometry.h"
#include "model/PowerShare.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

ArcElementsNearPicture::ArcElementsNearPicture(const TObjektKreis& circle, const Tprgvar& settings,
                                               int32_t extraElements)
    : circle(circle), settings(settings) {
    for (const AngleRange& range : circle.Ranges()) {
        const auto count = static_cast<int32_t>(std::min<double>(
            ArcRangeElementCount(circle, range, settings.sellaenge, settings.richtungprosel, extraElements),
            std::numeric_limits<int32_t>::max()));
        if (count > 0) cuts.push_back({range, count, ArcElementLength(range.Span(), circle.radius, count)});
    }
}

// The angles where the circle crosses the widened picture's edges part the
// range into arcs wholly inside or wholly outside it; an arc inside holds the
// elements i whose centre angle lo + (hi - lo)(i + 1/2)/n lies on it, widened
// by the rounding of that angle to a float (at most 2^-16 degrees below 360).
std::vector<ArcElementsNearPicture::IndexRange> ArcElementsNearPicture::ElementsNear(const ArcCut& cut,
                                                                                     double margin) const {
    const double lo = cut.range.lo, hi = cut.range.hi, radius = circle.radius;
    const double left = -margin, right = settings.breite + margin, top = -margin, bottom = settings.hoehe + margin;
    const auto inside = [&](double degrees) {
        const double x = circle.xmitte + radius * std::sin(degrees * kPi / 180);
        const double y = circle.ymitte - radius * std::cos(degrees * kPi / 180);
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (hi <= lo) return inside(lo) ? std::vector<IndexRange>{{0, cut.count}} : std::vector<IndexRange>{};
    std::vector<double> angles{lo, hi};
    const auto add = [&](double degrees) {
        if (degrees < 0) degrees += 360;
        if (lo < degrees && degrees < hi) angles.push_back(degrees);
    };
    // x = xmitte + r sin t meets a vertical edge, y = ymitte - r cos t a horizontal one.
    for (const double x : {left, right})
        if (const double sine = (x - circle.xmitte) / radius; std::fabs(sine) <= 1) {
            const double t = std::asin(sine) * 180 / kPi;
            add(t);
            add(180 - t);
        }
    for (const double y : {top, bottom})
        if (const double cosine = (circle.ymitte - y) / radius; std::fabs(cosine) <= 1) {
            const double t = std::acos(cosine) * 180 / kPi;
            add(t);
            add(360 - t);
        }
    std::sort(angles.begin(), angles.end());
    constexpr double kAngleRounding = 0x1p-15;
    const double n = cut.count, perDegree = n / (hi - lo);
    std::vector<IndexRange> near;
    for (size_t k = 0; k + 1 < angles.size(); ++k) {
        if (!inside((angles[k] + angles[k + 1]) / 2)) continue;
        const auto first =
            static_cast<int64_t>(std::max<double>(0, std::floor((angles[k] - kAngleRounding - lo) * perDegree - 0.5)));
        const auto end = static_cast<int64_t>(
            std::min<double>(n, std::ceil((angles[k + 1] + kAngleRounding - lo) * perDegree - 0.5) + 1));
        if (!near.empty() && first <= near.back().end)
            near.back().end = std::max(near.back().end, end);
        else if (first < end)
            near.push_back({first, end});
    }
    return near;
}

std::vector<std::pair<const ArcElementsNearPicture::ArcCut*, ArcElementsNearPicture::IndexRange>>
ArcElementsNearPicture::Near() const {
    const double margin = kFaceProbeOffset + 1 + (static_cast<double>(circle.radius) + kFaceProbeOffset) * 0x1p-21;
    std::vector<std::pair<const ArcCut*, IndexRange>> near;
    int64_t elements = 0;
    for (const ArcCut& cut : cuts)
        for (const IndexRange& range : ElementsNear(cut, margin)) {
            near.emplace_back(&cut, range);
            elements += range.end - range.first;
        }
    constexpr auto kBytesPerElement = 2 * (sizeof(PowerProbe) + sizeof(double));
    if (static_cast<double>(elements) * kBytesPerElement > kMostRadiationValues * sizeof(float))
        throw std::runtime_error(
            "The energy balance cannot be measured at this resolution of the calculation:\r"
            "the points where it counts the power on a circular object would not fit into memory.");
    return near;
}

// Lengths are floats, so n of them sum exactly to n times one.
double ArcElementsNearPicture::ShareInside() const {
    double inside = 0, all = 0;
    for (const ArcCut& cut : cuts) all += cut.count * static_cast<double>(cut.elementLength);
    ForEach([&](const ArcElement& element, float elementLength) {
        if (!IsOffScreen(Round(element.centre.x), Round(element.centre.y), settings)) inside += elementLength;
    });
    return all > 0 ? inside / all : 0;
}

}  // namespace brevanto::objects
