// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/StreamLineStartsAlongSegment.h"

#include <vector>

#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/StreamLineStartPlacement.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

namespace {

// Places the lines of one side; `offsetX`, `offsetY` lead from the surface to
// that side.
void PlaceLines(const TObjektGerade& object, const StraightSurface& surface, const std::vector<float>& flux,
                double total, float fluxPerLine, float offsetX, float offsetY, StreamLineStarts& starts) {
    const auto n = static_cast<double>(surface.count);
    // One line per pixel of the pieces walked at most.
    const auto mostLines = static_cast<int64_t>(static_cast<double>(flux.size()) * surface.elementLength) + 1;
    PlaceByEqualFlux(flux, total, fluxPerLine, mostLines, [&](size_t piece, double fraction) {
        const double t = (static_cast<double>(surface.first) + static_cast<double>(piece) + fraction) / n;
        starts.Prepend({static_cast<float>(object.x1 + (static_cast<double>(object.x2) - object.x1) * t + offsetX),
                        static_cast<float>(object.y1 + (static_cast<double>(object.y2) - object.y1) * t + offsetY)});
    });
}

}  // namespace

void AddStreamLineStartsAlongSegment(const TObjektGerade& object, const StraightSurface& surface,
                                     StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                     float ownEmission, bool countOwnField, const StopCheck& stop) {
    const float length = surface.length;
    if (length == 0) return;
    const double pieceLength = static_cast<double>(length) / surface.count;
    // Only the pieces near the picture: the frame blocks the probes of the others.
    const auto n = static_cast<int32_t>(surface.centres.size());
    // The unit plus normal scaled to 3 pixels.
    const auto m = static_cast<float>((static_cast<double>(object.y2) - object.y1) / length * 3);
    const auto q = static_cast<float>((static_cast<double>(object.x1) - object.x2) / length * 3);

    // The pieces side by side, each writing only its own flux.
    std::vector<float> plus(static_cast<size_t>(n)), minus(static_cast<size_t>(n));
    ParallelFor(
        n,
        [&](int64_t i) {
            const FloatPoint centre = surface.centres[static_cast<size_t>(i)];
            const int32_t cx = Round(centre.x), cy = Round(centre.y);
            const int32_t plusX = Round(static_cast<double>(centre.x) + m),
                          plusY = Round(static_cast<double>(centre.y) + q);
            const int32_t minusX = Round(static_cast<double>(centre.x) - m),
                          minusY = Round(static_cast<double>(centre.y) - q);
            double plusSumX = 0, plusSumY = 0, minusSumX = 0, minusSumY = 0;
            for (const auto& other : list) {
                if (!countOwnField && other->number == object.number) continue;
                float fx, fy;
                if (other->FlowDensityAt(plusX, plusY, list, fx, fy, 0)) {
                    plusSumX += fx * pieceLength;
                    plusSumY += fy * pieceLength;
                }
                if (other->FlowDensityAt(minusX, minusY, list, fx, fy, 0)) {
                    minusSumX += fx * pieceLength;
                    minusSumY += fy * pieceLength;
                }
            }
            const double emitted = ownEmission * pieceLength;
            double plusFlux = (m * plusSumX + q * plusSumY) / 3 + emitted;
            double minusFlux = -(m * minusSumX + q * minusSumY) / 3 + emitted;
            if (list.AnyBlocks(cx, cy, plusX, plusY, object.number, 0)) plusFlux = 0;
            if (list.AnyBlocks(cx, cy, minusX, minusY, object.number, 0)) minusFlux = 0;
            plus[static_cast<size_t>(i)] = static_cast<float>(plusFlux > 0 ? plusFlux : 0);
            minus[static_cast<size_t>(i)] = static_cast<float>(minusFlux > 0 ? minusFlux : 0);
        },
        stop);
    double plusTotal = 0, minusTotal = 0;
    for (size_t i = 0; i < plus.size(); ++i) {
        plusTotal += plus[i];
        minusTotal += minus[i];
    }
    PlaceLines(object, surface, plus, plusTotal, fluxPerLine, m, q, starts);
    PlaceLines(object, surface, minus, minusTotal, fluxPerLine, -m, -q, starts);
}

}  // namespace brevanto::objects
