// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektLambert.h"

#include <cmath>

#include "model/SceneList.h"
#include "objects/EmitterCap.h"
#include "objects/StraightEmitterForm.h"
#include "objects/StreamLineStartsAlongSegment.h"
#include "objects/SurfaceProbes.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

TObjektLambert::TObjektLambert(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : DeclaredFields(px1, py1, px2, py2) {
    kind = "lambert";
    description = "Straight lambert-like emitter";
}

double TObjektLambert::Strength() const { return staerke; }

void TObjektLambert::PrepareQueries(const Tprgvar& settings) { surface.Prepare(*this, settings); }

int64_t TObjektLambert::QueryElements(const Tprgvar& settings) const {
    // Without strength no element's path is tested.
    return staerke == 0 ? 0 : StraightSurface::KeptCount(*this, settings);
}

// Both faces emit staerke per unit length, where the segment lies inside the
// picture: the frame blocks every path from a part outside.
double TObjektLambert::EmittedPower(const Tprgvar& settings) const {
    return 2.0 * staerke * StraightSurface::LengthInPicture(*this, settings);
}

ReceivingSurface TObjektLambert::ReceivingProbes(const Tprgvar& settings) const {
    return StraightSurfaceProbes(*this, settings);
}

template <FanOrder order, class Visit>
void TObjektLambert::ForEachElementContribution(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                                Visit&& visit) const {
    const float length = surface.length;
    const double nx = static_cast<double>(y2) - y1;
    const double ny = static_cast<double>(x1) - x2;
    list.ForEachFan<order>(surface.run, {px, py}, number, exclude,
                           [&](size_t first, size_t last, const OcclusionIndex::Candidates& occluders) {
                               for (size_t j = first; j <= last; ++j) {
                                   const size_t i = InFanOrder<order>(j, first, last);
                                   const FloatPoint centre = surface.centres[i];
                                   const auto dx = static_cast<float>(px - static_cast<double>(centre.x));
                                   const auto dy = static_cast<float>(py - static_cast<double>(centre.y));
                                   const auto r = static_cast<float>(
                                       std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
                                   if (r == 0) continue;
                                   // Both faces emit alike: the distance from the
                                   // element's line counts without its sign.
                                   const double h = std::fabs(dx * nx + dy * ny) / length;
                                   const double k = LambertFactor(staerke, surface.elementLength, h, r);
                                   const auto cx = static_cast<float>(k * dx), cy = static_cast<float>(k * dy);
                                   if (cx == 0 && cy == 0) continue;
                                   const SightPoint end = surface.run.points[i];
                                   if (occluders.Blocks(px, py, end.x, end.y)) continue;
                                   visit(cx, cy);
                               }
                           });
}

bool TObjektLambert::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                   int32_t exclude) const {
    fx = 0;
    fy = 0;
    if (surface.length == 0) return false;
    ForEachElementContribution(px, py, list, exclude, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
    });
    return ClampAtSurface(fx, fy);
}

void TObjektLambert::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                         FlowVectorList& result) const {
    if (surface.length == 0) return;
    ForEachElementContribution(px, py, list, exclude,
                               [&](float cx, float cy) { result.Prepend(CappedAtStrength(cx, cy, staerke)); });
}

float TObjektLambert::AddEnergyDensity(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float energy,
                                       FlowVectorList&) const {
    if (surface.length == 0) return energy;
    ForEachElementContribution<FanOrder::Backwards>(px, py, list, exclude, [&](float cx, float cy) {
        energy = AddMagnitude(energy, CappedAtStrength(cx, cy, staerke));
    });
    return energy;
}

bool TObjektLambert::FlowAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float& fx, float& fy,
                            FlowVectorList& contributions) const {
    fx = 0;
    fy = 0;
    if (surface.length == 0) return false;
    ForEachElementContribution(px, py, list, exclude, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
        contributions.Prepend(CappedAtStrength(cx, cy, staerke));
    });
    return ClampAtSurface(fx, fy);
}

bool TObjektLambert::ClampAtSurface(float& fx, float& fy) const {
    const bool result = fx != 0 || fy != 0;
    // Right at the surface the sum of the elements would exceed what the
    // surface emits: take the normal of length staerke on the point's side.
    if (std::sqrt(static_cast<double>(fx) * fx + static_cast<double>(fy) * fy) > staerke) {
        const double nx = static_cast<double>(y2) - y1, ny = static_cast<double>(x1) - x2;
        const double side = nx * fx + ny * fy > 0 ? 1 : -1;
        fx = static_cast<float>(side * nx * staerke / surface.length);
        fy = static_cast<float>(side * ny * staerke / surface.length);
    }
    return result;
}

void TObjektLambert::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                         const StopCheck& stop) const {
    AddStreamLineStartsAlongSegment(*this, surface, starts, list, fluxPerLine, staerke, false, stop);
}

std::string TObjektLambert::Summary() const { return TObjektGerade::Summary() + "   " + StrengthSummary(staerke); }

KindForm<TObjektLambert>& TObjektLambert::Form() {
    static KindForm<TObjektLambert> form =
        StraightEmitterForm<TObjektLambert>("Lambert-like emitter ", {}, "All points must be on the screen.");
    return form;
}

}  // namespace brevanto::objects
