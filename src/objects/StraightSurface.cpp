// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/StraightSurface.h"

#include <algorithm>
#include <cmath>

namespace brevanto::objects {

using namespace model;
using namespace radiation;

namespace {

// Elements whose centre lies this far outside the picture are still kept, so
// that rounding a centre to a pixel never loses one on the border.
constexpr double kMargin = 2;

struct IndexRange {
    int32_t first;
    int32_t end;  // one past the last
};

// The elements i of n whose centres, at u = (i + 1/2) / n along the segment,
// lie in the picture widened by kMargin.
IndexRange ElementsNearPicture(const TObjektGerade& object, int32_t n, const Tprgvar& settings) {
    const auto [lo, hi] = StraightSurface::PartInPicture(object, settings, kMargin);
    if (lo > hi || n < 1) return {0, 0};
    // In 64 bits: n may be up to 2^31 - 1.
    const auto first = static_cast<int64_t>(std::max<double>(0, std::floor(lo * n - 0.5)));
    const auto end = static_cast<int64_t>(std::min<double>(n, std::ceil(hi * n - 0.5) + 1));
    if (first >= end) return {0, 0};
    return {static_cast<int32_t>(first), static_cast<int32_t>(end)};
}

}  // namespace

StraightSurface::SegmentPart StraightSurface::PartInPicture(const TObjektGerade& object, const Tprgvar& settings,
                                                            double margin) {
    SegmentPart part{0, 1};
    const auto clip = [&](double start, double delta, double size) {
        const double low = -margin, high = size + margin;
        if (delta == 0) {
            if (start < low || start > high) part.hi = -1;
            return;
        }
        double a = (low - start) / delta, b = (high - start) / delta;
        if (a > b) std::swap(a, b);
        part.lo = std::max(part.lo, a);
        part.hi = std::min(part.hi, b);
    };
    clip(object.x1, static_cast<double>(object.x2) - object.x1, settings.breite);
    clip(object.y1, static_cast<double>(object.y2) - object.y1, settings.hoehe);
    return part;
}

double StraightSurface::LengthInPicture(const TObjektGerade& object, const Tprgvar& settings) {
    const auto [lo, hi] = PartInPicture(object, settings, 0);
    return hi > lo ? (hi - lo) * object.Length() : 0;
}

int32_t StraightSurface::KeptCount(const TObjektGerade& object, const Tprgvar& settings) {
    const IndexRange range =
        ElementsNearPicture(object, StraightElementCount(object.Length(), settings.sellaenge), settings);
    return range.end - range.first;
}

void StraightSurface::Prepare(const TObjektGerade& object, const Tprgvar& settings) {
    length = object.Length();
    count = StraightElementCount(length, settings.sellaenge);
    elementLength = StraightElementLength(length, count);
    const IndexRange range = ElementsNearPicture(object, count, settings);
    first = range.first;
    centres.clear();
    run.points.clear();
    centres.reserve(static_cast<size_t>(range.end - range.first));
    run.points.reserve(centres.capacity());
    for (int32_t i = range.first; i < range.end; ++i) {
        const FloatPoint centre = StraightElementCentre(object.x1, object.y1, object.x2, object.y2, i, count);
        centres.push_back(centre);
        run.points.push_back({Round(centre.x), Round(centre.y)});
    }
}

}  // namespace brevanto::objects
