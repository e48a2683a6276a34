// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektLambertKreis.h"

#include <algorithm>
#include <cmath>

#include "model/ColourChoice.h"
#include "model/SceneList.h"
#include "objects/ArcElementsNearPicture.h"
#include "objects/EmitterCap.h"
#include "objects/StreamLineStartsAroundArc.h"
#include "objects/StrengthField.h"
#include "objects/SurfaceProbes.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

TObjektLambertKreis::TObjektLambertKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : DeclaredFields(x1, y1, x2, y2) {
    kind = "lambertkreis";
    description = "Circular lambert-like emitter";
}

double TObjektLambertKreis::Strength() const { return staerke; }

void TObjektLambertKreis::PrepareQueries(const Tprgvar& settings) {
    const ArcCutRule rule{kExtraElements, kArcElementFloats,
                          "A circular lambert-like emitter is too large for this resolution of the calculation:\r"
                          "its surface elements would not fit into memory."};
    const AngleRanges current = Ranges();
    pieces = CutArc(*this, current, settings.sellaenge, settings.richtungprosel, rule);
    ranges = current;
}

int64_t TObjektLambertKreis::QueryElements(const Tprgvar& settings) const {
    // Without strength no element's path is tested.
    if (staerke == 0) return 0;
    return ArcElementTotal(*this, Ranges(), settings.sellaenge, settings.richtungprosel, kExtraElements);
}

// Each face emits staerke per unit length, where it lies inside the picture:
// the outer face all of its light, the inner face only what escapes through
// the gap of an arc. From a point of a circle the arc of central angle A takes
// A / 2 pi of the light (the view factor of an arc seen from its own circle),
// so the inner face gives 1 - A / 2 pi.
double TObjektLambertKreis::EmittedPower(const Tprgvar& settings) const {
    double covered = 0;
    for (const AngleRange& range : Ranges())
        covered += static_cast<double>(std::max<int64_t>(0, range.Span())) * kPi / 180;
    covered = std::min(covered, 2 * kPi);
    return staerke * radius * covered * (2 - covered / (2 * kPi)) *
           ArcElementsNearPicture(*this, settings, kExtraElements).ShareInside();
}

// Its own light falling back on it is not received.
ReceivingSurface TObjektLambertKreis::ReceivingProbes(const Tprgvar& settings) const {
    return CircleSurfaceProbes(*this, settings, kExtraElements, OwnLight::Skipped);
}

template <class Visit>
void TObjektLambertKreis::ForEachElementContribution(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                                     Visit&& visit) const {
    const double ox = px - static_cast<double>(xmitte), oy = py - static_cast<double>(ymitte);
    // A point on the circle counts as inside: nothing of the object hides
    // any of its elements from it.
    const bool outside = static_cast<float>(std::sqrt(ox * ox + oy * oy)) > radius;
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece)
        list.ForEachFan(
            piece->run, {px, py}, number, exclude,
            [&](size_t first, size_t last, const OcclusionIndex::Candidates& occluders) {
                for (size_t i = first; i <= last; ++i) {
                    const ArcElement& element = piece->elements[i];
                    const auto dx = static_cast<float>(px - static_cast<double>(element.centre.x));
                    const auto dy = static_cast<float>(py - static_cast<double>(element.centre.y));
                    const auto distance =
                        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
                    if (distance == 0) continue;
                    // Both faces emit alike: h = |d.S| / radius, the distance from
                    // the element's tangent, counts without its sign.
                    const double h =
                        std::fabs(dx * static_cast<double>(element.s.x) + dy * static_cast<double>(element.s.y)) /
                        radius;
                    const double k = LambertFactor(staerke, piece->elementLength, h, distance);
                    const auto cx = static_cast<float>(k * dx), cy = static_cast<float>(k * dy);
                    if (cx == 0 && cy == 0) continue;
                    if (!ArcElementSees(*this, ranges, element, piece->run.points[i], px, py, outside, occluders))
                        continue;
                    visit(cx, cy);
                }
            });
}

bool TObjektLambertKreis::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                        int32_t) const {
    fx = 0;
    fy = 0;
    ForEachElementContribution(px, py, list, 0, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
    });
    return ClampAtSurface(px, py, fx, fy);
}

bool TObjektLambertKreis::ClampAtSurface(int32_t px, int32_t py, float& fx, float& fy) const {
    if (fx == 0 && fy == 0) return false;
    // Right at a full circle the elements' sum may exceed what the surface
    // emits: then it is staerke along the radius, away from the centre
    // outside, towards it inside and on the circle.
    if (IsFullCircle() && std::sqrt(static_cast<double>(fx) * fx + static_cast<double>(fy) * fy) > staerke) {
        const double ox = px - static_cast<double>(xmitte), oy = py - static_cast<double>(ymitte);
        const double rho = std::sqrt(ox * ox + oy * oy);
        const double u = rho == 0 ? 0 : (rho > radius ? 1 : -1) / rho;
        fx = static_cast<float>(staerke * u * ox);
        fy = static_cast<float>(staerke * u * oy);
    }
    return true;
}

void TObjektLambertKreis::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                              FlowVectorList& result) const {
    ForEachElementContribution(px, py, list, exclude,
                               [&](float cx, float cy) { result.Prepend(CappedAtStrength(cx, cy, staerke)); });
}

bool TObjektLambertKreis::FlowAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float& fx, float& fy,
                                 FlowVectorList& contributions) const {
    // The flow density takes no object out of the blocking: only without
    // one do both see through the same lines of sight.
    if (exclude != 0) return Tszeneobjekt::FlowAt(px, py, list, exclude, fx, fy, contributions);
    fx = 0;
    fy = 0;
    ForEachElementContribution(px, py, list, 0, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
        contributions.Prepend(CappedAtStrength(cx, cy, staerke));
    });
    return ClampAtSurface(px, py, fx, fy);
}

void TObjektLambertKreis::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                              const StopCheck& stop) const {
    AddStreamLineStartsAroundArc(*this, pieces, starts, list, fluxPerLine, staerke, stop);
}

std::string TObjektLambertKreis::Summary() const { return TObjektKreis::Summary() + "   " + StrengthSummary(staerke); }

KindForm<TObjektLambertKreis>& TObjektLambertKreis::Form() {
    static KindForm<TObjektLambertKreis> form = [] {
        using platform::Control;
        KindForm<TObjektLambertKreis> made{FieldTable<TObjektLambertKreis>(
            {GeometryFields<TObjektLambertKreis>(), StrengthField<TObjektLambertKreis>("energy flow density")})};
        std::vector<Control> controls = made.fields.Controls({"staerke"});
        for (Control& geometry : CoordinateControls(made.fields, RadiusField::BeforeCentre, "Complete circle?"))
            controls.push_back(std::move(geometry));
        controls.push_back(ColourCombo());
        made.dialog = KindDialog("Circular lambert-like emitter", std::move(controls));
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
