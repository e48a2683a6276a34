#include "objects/ObjektLambert.h"

#include <cmath>

#include "model/Programvar.h"
#include "model/SceneList.h"
#include "model/Stringfunktionen.h"
#include "objects/StraightEmitterDialog.h"
#include "objects/StreamLineStartsAlongSegment.h"
#include "platform/Conversions.h"
#include "radiation/SurfaceElements.h"

namespace {

platform::DialogSpec& Dialog() {
    static platform::DialogSpec dialog = StraightEmitterDialog("Lambert-like emitter ");
    return dialog;
}

// Calls visit(cx, cy) for the unblocked contribution of every element, in
// element order. A two-sided Lambert element of length e seen from distance r
// at angle phi to its normal sends |c| = S/2 * e * |cos phi| / r.
template <class Visit>
void ForEachElementContribution(const TObjektLambert& emitter, int32_t px, int32_t py, const TSceneList& list,
                                int32_t exclude, Visit&& visit) {
    const float length = emitter.Length();
    const int32_t n = StraightElementCount(length, prgvar().sellaenge);
    const float e = StraightElementLength(length, n);
    const Extended nx = static_cast<Extended>(emitter.y2) - emitter.y1;
    const Extended ny = static_cast<Extended>(emitter.x1) - emitter.x2;
    for (int32_t i = 0; i < n; ++i) {
        const FloatPoint centre = StraightElementCentre(emitter.x1, emitter.y1, emitter.x2, emitter.y2, i, n);
        const auto dx = static_cast<float>(px - static_cast<Extended>(centre.x));
        const auto dy = static_cast<float>(py - static_cast<Extended>(centre.y));
        const auto r = static_cast<float>(std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
        if (r == 0) continue;
        const Extended k = std::fabs(dx * nx + dy * ny) * (0.5 * emitter.staerke * e / r) / length / r / r;
        const auto cx = static_cast<float>(k * dx), cy = static_cast<float>(k * dy);
        if (cx == 0 && cy == 0) continue;
        if (list.AnyBlocks(px, py, Round(centre.x), Round(centre.y), emitter.number, exclude)) continue;
        visit(cx, cy);
    }
}

}  // namespace

TObjektLambert::TObjektLambert(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : TObjektGerade(px1, py1, px2, py2) {
    kind = "lambert";
    description = "Straight lambert-like emitter";
}

Extended TObjektLambert::Strength() const { return staerke; }

bool TObjektLambert::FlowDensityAt(int32_t px, int32_t py, const TSceneList& list, float& fx, float& fy,
                                   int32_t exclude) const {
    fx = 0;
    fy = 0;
    const float length = Length();
    if (length == 0) return false;
    ForEachElementContribution(*this, px, py, list, exclude, [&](float cx, float cy) {
        fx += cx;
        fy += cy;
    });
    const bool result = fx != 0 || fy != 0;
    // Right at the surface the sum of the elements would exceed what the
    // surface emits: take the normal of length staerke on the point's side.
    if (std::sqrt(static_cast<Extended>(fx) * fx + static_cast<Extended>(fy) * fy) > staerke) {
        const Extended nx = static_cast<Extended>(y2) - y1, ny = static_cast<Extended>(x1) - x2;
        const Extended side = nx * fx + ny * fy > 0 ? 1 : -1;
        fx = static_cast<float>(side * nx * staerke / length);
        fy = static_cast<float>(side * ny * staerke / length);
    }
    return result;
}

void TObjektLambert::FlowContributionsAt(int32_t px, int32_t py, const TSceneList& list, int32_t exclude,
                                         FlowVectorList& result) const {
    if (Length() == 0) return;
    ForEachElementContribution(*this, px, py, list, exclude, [&](float cx, float cy) {
        const Extended magnitude = std::sqrt(static_cast<Extended>(cx) * cx + static_cast<Extended>(cy) * cy);
        if (magnitude > staerke) {
            cx = static_cast<float>(cx * staerke / magnitude);
            cy = static_cast<float>(cy * staerke / magnitude);
        }
        result.Prepend({cx, cy});
    });
}

void TObjektLambert::AddStreamLineStarts(StreamLineStarts& starts, const TSceneList& list, float fluxPerLine) const {
    AddStreamLineStartsAlongSegment(*this, starts, list, fluxPerLine, staerke, false);
}

void TObjektLambert::Edit() {
    Tszeneobjekt::Edit();
    EditStraightEmitter(Dialog(), *this, staerke, "All points must be on the screen.");
}

bool TObjektLambert::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return Tszeneobjekt::LoadFromFile(file) && LoadCoordinates(file) && reader.Float("staerke=", staerke) &&
           reader.Keyword("end");
}

void TObjektLambert::SaveToFile(platform::TextFile& file) const {
    SaveHeader(file);
    SaveCoordinates(file);
    file.WriteLine("staerke=" + platform::FloatToStr(staerke));
    file.WriteLine("end");
}
