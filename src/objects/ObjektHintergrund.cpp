// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektHintergrund.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "model/DoublePair.h"
#include "model/Occlusion.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/StreamLineStartPlacement.h"
#include "objects/StrengthField.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

using Edge = TObjektHintergrund::Edge;

namespace {

constexpr Edge kEdgesInOrder[] = {Edge::Top, Edge::Right, Edge::Bottom, Edge::Left};

bool IsHorizontal(Edge edge) { return edge == Edge::Top || edge == Edge::Bottom; }

// Scales the vector down to length `limit` when it is longer.
void Limit(float& fx, float& fy, float limit) {
    const double squared = static_cast<double>(fx) * fx + static_cast<double>(fy) * fy;
    if (squared > static_cast<double>(limit) * limit) {
        const double scale = limit / std::sqrt(squared);
        fx = static_cast<float>(fx * scale);
        fy = static_cast<float>(fy * scale);
    }
}

}  // namespace

int32_t TObjektHintergrund::Frame::Count(Edge edge) const { return IsHorizontal(edge) ? nx : ny; }

float TObjektHintergrund::Frame::ElementLength(Edge edge) const { return IsHorizontal(edge) ? lx : ly; }

double TObjektHintergrund::Frame::DistanceFromEdge(Edge edge, int32_t x, int32_t y) const {
    switch (edge) {
        case Edge::Top: return y;
        case Edge::Right: return static_cast<double>(width) - x;
        case Edge::Bottom: return static_cast<double>(height) - y;
        case Edge::Left: return x;
    }
    return 0;
}

TObjektHintergrund::TObjektHintergrund() {
    kind = "rahmen";
    description = "Background radiation";
}

double TObjektHintergrund::Strength() const { return staerke; }

void TObjektHintergrund::PrepareQueries(const Tprgvar& settings) {
    frame.width = settings.breite;
    frame.height = settings.hoehe;
    frame.sellaenge = settings.sellaenge;
    frame.nx = StraightElementCount(static_cast<float>(settings.breite), settings.sellaenge);
    frame.ny = StraightElementCount(static_cast<float>(settings.hoehe), settings.sellaenge);
    frame.lx = StraightElementLength(static_cast<float>(settings.breite), frame.nx);
    frame.ly = StraightElementLength(static_cast<float>(settings.hoehe), frame.ny);
    for (Edge edge : kEdgesInOrder) {
        std::vector<FloatPoint>& centres = frame.centres[static_cast<size_t>(edge)];
        std::vector<SightPoint>& points = frame.runs[static_cast<size_t>(edge)].points;
        const auto count = static_cast<size_t>(std::max(0, frame.Count(edge)));
        centres.resize(count);
        points.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const auto along = static_cast<float>((i + 0.5) * frame.ElementLength(edge));
            const float across = static_cast<float>(edge == Edge::Right    ? frame.width
                                                    : edge == Edge::Bottom ? frame.height
                                                                           : 0);
            centres[i] = IsHorizontal(edge) ? FloatPoint{along, across} : FloatPoint{across, along};
            points[i] = {Round(centres[i].x), Round(centres[i].y)};
        }
    }
}

int64_t TObjektHintergrund::QueryElements(const Tprgvar& settings) const {
    if (staerke == 0) return 0;  // answers at once
    return 2 * (int64_t{StraightElementCount(static_cast<float>(settings.breite), settings.sellaenge)} +
                StraightElementCount(static_cast<float>(settings.hoehe), settings.sellaenge));
}

// What the glowing edges emit: with nuroben the top edge and the lower half of
// each side's light.
double TObjektHintergrund::EmittedPower(const Tprgvar& settings) const {
    const double width = settings.breite, height = settings.hoehe;
    return staerke * (nuroben ? width + height : 2 * (width + height));
}

Occluder TObjektHintergrund::BlockingShape() const { return Occluder::Frame(frame.width, frame.height); }

bool TObjektHintergrund::IsNear(int32_t x, int32_t y, int32_t d, int32_t, int32_t) const {
    return x <= d || int64_t{x} >= int64_t{frame.width} - d || y <= d || int64_t{y} >= int64_t{frame.height} - d;
}

template <FanOrder order, class VisitEdge>
void TObjektHintergrund::ForEachEdgeSeeing(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                           VisitEdge&& visitEdge) const {
    // The frame is where the world ends: a point outside the picture gets
    // none of its light, as it gets no other object's.
    if (BlockingShape().Outside(x, y)) return;
    std::vector<Difference> seen;
    seen.reserve(static_cast<size_t>(std::max({frame.nx, frame.ny, 0})));  // once for all edges
    for (size_t k = 0; k < std::size(kEdgesInOrder); ++k) {
        const Edge edge = kEdgesInOrder[InFanOrder<order>(k, 0, std::size(kEdgesInOrder) - 1)];
        if (nuroben && edge == Edge::Bottom) continue;
        const ElementSight sight{IsHorizontal(edge), frame.ElementLength(edge), frame.DistanceFromEdge(edge, x, y)};
        const std::vector<FloatPoint>& centres = frame.centres[static_cast<size_t>(edge)];
        const SightRun& run = frame.runs[static_cast<size_t>(edge)];
        // Only from above the horizon: side elements more than one element
        // length below the point do not reach it.
        const bool belowReaches = !nuroben || sight.horizontal;
        const double horizon = static_cast<double>(y) + frame.sellaenge;
        seen.clear();
        list.ForEachFan<order>(run, {x, y}, number, exclude,
                               [&](size_t first, size_t last, const OcclusionIndex::Candidates& occluders) {
                                   for (size_t k = first; k <= last; ++k) {
                                       const size_t i = InFanOrder<order>(k, first, last);
                                       const FloatPoint e = centres[i];
                                       if (!belowReaches && static_cast<double>(e.y) > horizon) continue;
                                       const double dx = x - static_cast<double>(e.x);
                                       const double dy = y - static_cast<double>(e.y);
                                       // The distance from the floats is 0 just when both are.
                                       if (static_cast<float>(dx) == 0 && static_cast<float>(dy) == 0) continue;
                                       if (occluders.Blocks(run.points[i].x, run.points[i].y, x, y)) continue;
                                       seen.push_back({dx, dy});
                                   }
                               });
        if (!seen.empty()) visitEdge(sight, std::span<const Difference>(seen));
    }
}

// Two elements at a time: the square roots and divisions are most of a
// query's arithmetic.
template <class Visit>
void TObjektHintergrund::ForEachFactorPair(const ElementSight& sight, std::span<const Difference> seen,
                                           DistanceRule rule, Visit&& visit) const {
    const DoublePair exitance(staerke), length(sight.length), h(sight.h);
    const bool unroundedDy = rule == DistanceRule::SingleVectors && !sight.horizontal;
    for (size_t k = 0; k < seen.size(); k += 2) {
        const size_t next = k + 1 < seen.size() ? k + 1 : k;
        const DoublePair dx(seen[k].dx, seen[next].dx), dy(seen[k].dy, seen[next].dy);
        const DoublePair fdx = RoundedToFloat(dx), alongDy = unroundedDy ? dy : RoundedToFloat(dy);
        const DoublePair distance = RoundedToFloat(Sqrt(fdx * fdx + alongDy * alongDy));
        visit(k, next, LambertFactor<DoublePair>(exitance, length, h, distance));
    }
}

void TObjektHintergrund::Factors(const ElementSight& sight, std::span<const Difference> seen, DistanceRule rule,
                                 std::vector<double>& factors) const {
    factors.reserve(static_cast<size_t>(std::max({frame.nx, frame.ny, 0})));  // once for all edges
    factors.resize(seen.size());
    ForEachFactorPair(sight, seen, rule, [&](size_t k, size_t next, DoublePair c) {
        factors[k] = c.First();
        factors[next] = c.Second();
    });
}

// The single vectors scale the unrounded difference from the element to the
// point: so the recorded results have them.
FlowVector TObjektHintergrund::Contribution(Difference d, double factor) const {
    auto cx = static_cast<float>(d.dx * factor), cy = static_cast<float>(d.dy * factor);
    Limit(cx, cy, staerke);
    return {cx, cy};
}

// The summed field rounds the differences to floats first.
bool TObjektHintergrund::FlowDensityAt(int32_t x, int32_t y, const SceneList& list, float& fx, float& fy,
                                       int32_t exclude) const {
    fx = 0;
    fy = 0;
    if (staerke == 0) return false;
    std::vector<double> factors;
    ForEachEdgeSeeing(x, y, list, exclude, [&](const ElementSight& sight, std::span<const Difference> seen) {
        Factors(sight, seen, DistanceRule::SummedField, factors);
        for (size_t k = 0; k < seen.size(); ++k) {
            fx += static_cast<float>(static_cast<float>(seen[k].dx) * factors[k]);
            fy += static_cast<float>(static_cast<float>(seen[k].dy) * factors[k]);
        }
    });
    if (fx == 0 && fy == 0) return false;
    Limit(fx, fy, staerke);
    return true;
}

void TObjektHintergrund::FlowContributionsAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude,
                                             FlowVectorList& result) const {
    if (staerke == 0) return;
    std::vector<double> factors;
    ForEachEdgeSeeing(x, y, list, exclude, [&](const ElementSight& sight, std::span<const Difference> seen) {
        Factors(sight, seen, DistanceRule::SingleVectors, factors);
        for (size_t k = 0; k < seen.size(); ++k) result.Prepend(Contribution(seen[k], factors[k]));
    });
}

// The magnitudes are added as the factors come: the additions depend each
// on the one before, and the factors' arithmetic fills their waits.
float TObjektHintergrund::AddEnergyDensity(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float energy,
                                           FlowVectorList&) const {
    if (staerke == 0) return energy;
    const double longest = static_cast<double>(staerke) * staerke;
    ForEachEdgeSeeing<FanOrder::Backwards>(
        x, y, list, exclude, [&](const ElementSight& sight, std::span<const Difference> seen) {
            ForEachFactorPair(sight, seen, DistanceRule::SingleVectors, [&](size_t k, size_t next, DoublePair c) {
                const DoublePair cx = RoundedToFloat(DoublePair(seen[k].dx, seen[next].dx) * c);
                const DoublePair cy = RoundedToFloat(DoublePair(seen[k].dy, seen[next].dy) * c);
                const DoublePair squared = cx * cx + cy * cy;
                if (squared.First() > longest || squared.Second() > longest) {
                    // Limit shortens one of them.
                    energy = AddMagnitude(energy, Contribution(seen[k], c.First()));
                    if (next != k) energy = AddMagnitude(energy, Contribution(seen[next], c.Second()));
                    return;
                }
                const DoublePair magnitude = Sqrt(squared);
                energy = static_cast<float>(energy + magnitude.First());
                if (next != k) energy = static_cast<float>(energy + magnitude.Second());
            });
        });
    return energy;
}

bool TObjektHintergrund::FlowAt(int32_t x, int32_t y, const SceneList& list, int32_t exclude, float& fx, float& fy,
                                FlowVectorList& contributions) const {
    fx = 0;
    fy = 0;
    if (staerke == 0) return false;
    std::vector<double> summed, single;
    ForEachEdgeSeeing(x, y, list, exclude, [&](const ElementSight& sight, std::span<const Difference> seen) {
        Factors(sight, seen, DistanceRule::SummedField, summed);
        // The rules differ only for the sides.
        Factors(sight, seen, DistanceRule::SingleVectors, single);
        for (size_t k = 0; k < seen.size(); ++k) {
            fx += static_cast<float>(static_cast<float>(seen[k].dx) * summed[k]);
            fy += static_cast<float>(static_cast<float>(seen[k].dy) * summed[k]);
            contributions.Prepend(Contribution(seen[k], single[k]));
        }
    });
    if (fx == 0 && fy == 0) return false;
    Limit(fx, fy, staerke);
    return true;
}

void TObjektHintergrund::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                             const StopCheck& stop) const {
    constexpr int32_t kInset = 3;

    // One walk clockwise on the screen: the top edge left to right, the right
    // edge downwards, the bottom edge right to left, the left edge upwards.
    struct Piece {
        Edge edge;
        int32_t index;
    };
    std::vector<Piece> pieces;
    for (Edge edge : kEdgesInOrder) {
        const int32_t count = frame.Count(edge);
        const bool backwards = edge == Edge::Bottom || edge == Edge::Left;
        for (int32_t k = 0; k < count; ++k) pieces.push_back({edge, backwards ? count - 1 - k : k});
    }

    // The pieces side by side, each writing only its own flux.
    std::vector<float> flux(pieces.size());
    ParallelFor(
        static_cast<int64_t>(pieces.size()),
        [&](int64_t k) {
            const Piece& piece = pieces[static_cast<size_t>(k)];
            const SightPoint centre =
                frame.runs[static_cast<size_t>(piece.edge)].points[static_cast<size_t>(piece.index)];
            int32_t probeX = 0, probeY = 0, centreX = centre.x, centreY = centre.y;
            switch (piece.edge) {
                case Edge::Top: probeX = centreX, probeY = kInset; break;
                case Edge::Right: probeX = Round(static_cast<double>(frame.width) - kInset), probeY = centreY; break;
                case Edge::Bottom: probeX = centreX, probeY = Round(static_cast<double>(frame.height) - kInset); break;
                case Edge::Left: probeX = kInset, probeY = centreY; break;
            }
            double inward = 0;
            for (const auto& object : list) {
                float fx, fy;
                if (!object->FlowDensityAt(probeX, probeY, list, fx, fy, 0)) continue;
                switch (piece.edge) {
                    case Edge::Top: inward += fy; break;
                    case Edge::Right: inward -= fx; break;
                    case Edge::Bottom: inward -= fy; break;
                    case Edge::Left: inward += fx; break;
                }
            }
            if (inward < 0 || list.AnyBlocks(centreX, centreY, probeX, probeY, number, 0)) inward = 0;
            flux[static_cast<size_t>(k)] = static_cast<float>(inward * frame.ElementLength(piece.edge));
        },
        stop);
    double total = 0;
    for (const float f : flux) total += f;

    // One line per pixel of the frame at most.
    const int64_t mostLines = 2 * (int64_t{frame.width} + frame.height) + 1;
    PlaceByEqualFlux(flux, total, fluxPerLine, mostLines, [&](size_t walked, double u) {
        const Piece& piece = pieces[walked];
        const int32_t i = piece.index;
        switch (piece.edge) {
            case Edge::Top: starts.Prepend({static_cast<float>((i + u) * frame.lx), static_cast<float>(kInset)}); break;
            case Edge::Right:
                starts.Prepend({static_cast<float>(frame.width - kInset), static_cast<float>((i + u) * frame.ly)});
                break;
            case Edge::Bottom:
                starts.Prepend({static_cast<float>((i + 1 - u) * frame.lx), static_cast<float>(frame.height - kInset)});
                break;
            case Edge::Left:
                starts.Prepend({static_cast<float>(kInset), static_cast<float>((i + 1 - u) * frame.ly)});
                break;
        }
    });
}

std::string TObjektHintergrund::Summary() const { return StrengthSummary(staerke); }

// Written as the section "hintergrund", without a colour.
KindForm<TObjektHintergrund>& TObjektHintergrund::Form() {
    static KindForm<TObjektHintergrund> form = [] {
        KindForm<TObjektHintergrund> made{
            FieldTable<TObjektHintergrund>({StrengthField<TObjektHintergrund>("Energy flow density"),
                                            {{{"nuroben",
                                               "Radiation only from above the horizon",
                                               {},
                                               {},
                                               false,
                                               "allDirections",
                                               "Radiation from all directions"},
                                              &TObjektHintergrund::nuroben}}})};
        made.dialog = KindDialog("Background radiation", made.fields.Controls({"staerke", "nuroben"}));
        made.dialog.clientWidth = 264;
        made.dialog.clientHeight = 280;
        made.section = "hintergrund";
        made.colourStored = false;
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
