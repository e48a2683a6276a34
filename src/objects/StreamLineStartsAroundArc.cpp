// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/StreamLineStartsAroundArc.h"

#include <cmath>
#include <utility>
#include <vector>

#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/StreamLineStartPlacement.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

namespace {

// The point at the arc angle on the circle of radius `radius`.
StreamLineStart PointAt(const TObjektKreis& object, double degrees, double radius) {
    const double theta = degrees * kPi / 180;
    return {static_cast<float>(object.xmitte + std::sin(theta) * radius),
            static_cast<float>(object.ymitte - std::cos(theta) * radius)};
}

// The field that leaves the element on the side `sigma` (-1 inner, +1 outer).
double FluxLeaving(const TObjektKreis& object, const ArcElement& element, double elementLength, double sigma,
                   const SceneList& list, std::optional<float> ownOuterExitance) {
    const double radius = FaceProbeRadius(object.radius, sigma);
    const int32_t x = Round(object.xmitte + element.normal.x * radius);
    const int32_t y = Round(object.ymitte + element.normal.y * radius);
    double fieldX = 0, fieldY = 0;
    for (const auto& other : list) {
        if (other->number == object.number && sigma > 0 && ownOuterExitance) {
            fieldX += *ownOuterExitance * static_cast<double>(element.normal.x);
            fieldY += *ownOuterExitance * static_cast<double>(element.normal.y);
            continue;
        }
        float fx, fy;
        if (other->FlowDensityAt(x, y, list, fx, fy, 0)) {
            fieldX += fx;
            fieldY += fy;
        }
    }
    const double flux = (element.normal.x * fieldX + element.normal.y * fieldY) * sigma * elementLength;
    return flux > 0 ? flux : 0;
}

}  // namespace

void AddStreamLineStartsAroundArc(const TObjektKreis& object, std::span<const ArcPiece> pieces,
                                  StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                  std::optional<float> ownOuterExitance, const StopCheck& stop) {
    // Where each element of the walk lies: its piece and its place in it.
    std::vector<std::pair<size_t, size_t>> walk;
    double arcLength = 0;
    for (size_t k = 0; k < pieces.size(); ++k) {
        for (size_t i = 0; i < pieces[k].elements.size(); ++i) walk.emplace_back(k, i);
        arcLength += static_cast<double>(pieces[k].elements.size()) * pieces[k].elementLength;
    }
    // One line per pixel of the arc at most.
    const auto mostLines = static_cast<int64_t>(arcLength) + 1;
    for (const double sigma : {-1.0, 1.0}) {
        // The elements side by side, each writing only its own flux.
        std::vector<float> flux(walk.size());
        ParallelFor(
            static_cast<int64_t>(walk.size()),
            [&](int64_t w) {
                const auto [k, i] = walk[static_cast<size_t>(w)];
                const ArcPiece& piece = pieces[k];
                flux[static_cast<size_t>(w)] = static_cast<float>(
                    FluxLeaving(object, piece.elements[i], piece.elementLength, sigma, list, ownOuterExitance));
            },
            stop);
        double total = 0;
        for (const float f : flux) total += f;
        PlaceByEqualFlux(flux, total, fluxPerLine, mostLines, [&](size_t element, double fraction) {
            const auto [k, i] = walk[element];
            const AngleRange range = pieces[k].range;
            const double t = (static_cast<double>(i) + fraction) / static_cast<double>(pieces[k].elements.size());
            starts.Prepend(PointAt(object, range.hi * t + (1 - t) * range.lo, FaceProbeRadius(object.radius, sigma)));
        });
    }
}

}  // namespace brevanto::objects
