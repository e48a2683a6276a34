// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektParallel.h"

#include <cmath>

#include "model/Geometry.h"
#include "model/SceneList.h"
#include "objects/StraightEmitterForm.h"
#include "objects/StreamLineStartsAlongSegment.h"
#include "objects/SurfaceProbes.h"
#include "platform/Canvas.h"

namespace brevanto::objects {

using namespace model;

TObjektParallel::TObjektParallel(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : DeclaredFields(px1, py1, px2, py2) {
    kind = "parallel";
    description = "Straight emitter of parallel light";
}

double TObjektParallel::Strength() const { return staerke; }

void TObjektParallel::PrepareQueries(const Tprgvar& settings) { surface.Prepare(*this, settings); }

// One path, from the point to the foot of its perpendicular.
int64_t TObjektParallel::QueryElements(const Tprgvar&) const { return staerke == 0 ? 0 : 1; }

// Both faces emit staerke per unit length, where the segment lies inside the
// picture: the frame blocks every path from a part outside.
double TObjektParallel::EmittedPower(const Tprgvar& settings) const {
    return 2.0 * staerke * StraightSurface::LengthInPicture(*this, settings);
}

ReceivingSurface TObjektParallel::ReceivingProbes(const Tprgvar& settings) const {
    return StraightSurfaceProbes(*this, settings);
}

bool TObjektParallel::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                    int32_t exclude) const {
    fx = 0;
    fy = 0;
    const int64_t nx = int64_t{y2} - y1, ny = int64_t{x1} - x2;
    // s > 0 on the plus side; |s| / L is the distance from the segment's line.
    const int64_t exactS = nx * (int64_t{px} - x1) + ny * (int64_t{py} - y1);
    const auto s = static_cast<float>(exactS);
    if (s == 0 || staerke == 0) return false;
    const auto beamX = static_cast<float>(nx * static_cast<double>(s));
    const auto beamY = static_cast<float>(ny * static_cast<double>(s));
    const auto beamLength =
        static_cast<float>(std::sqrt(static_cast<double>(beamX) * beamX + static_cast<double>(beamY) * beamY));
    const auto vx = static_cast<float>(beamX * static_cast<double>(staerke) / beamLength);
    const auto vy = static_cast<float>(beamY * static_cast<double>(staerke) / beamLength);
    const auto distance = static_cast<float>(static_cast<double>(exactS) / Length());
    // The foot of the perpendicular from the point onto the segment's line.
    const auto footX = static_cast<float>(px - std::fabs(distance) * static_cast<double>(vx) / staerke);
    const auto footY = static_cast<float>(py - std::fabs(distance) * static_cast<double>(vy) / staerke);
    if (!OnSegmentDominant(x1, x2, footX, y1, y2, footY)) return false;
    if (list.AnyBlocks(px, py, Round(footX), Round(footY), number, exclude)) return false;
    fx = vx;
    fy = vy;
    return true;
}

void TObjektParallel::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                          FlowVectorList& result) const {
    float fx, fy;
    if (FlowDensityAt(px, py, list, fx, fy, exclude)) result.Prepend({fx, fy});
}

void TObjektParallel::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                          const StopCheck& stop) const {
    AddStreamLineStartsAlongSegment(*this, surface, starts, list, fluxPerLine, staerke, false, stop);
}

void TObjektParallel::DrawSelectionMark(platform::Canvas& canvas) const {
    constexpr double kFrom = 4, kTo = 20, kHead = 5;
    const double length = Length();
    if (length == 0) return;
    const double nx = (static_cast<double>(y2) - y1) / length, ny = (static_cast<double>(x1) - x2) / length;
    const double mx = (static_cast<double>(x1) + x2) / 2, my = (static_cast<double>(y1) + y2) / 2;
    const auto point = [](double value) { return static_cast<int>(std::lround(value)); };
    for (const double side : {1.0, -1.0}) {
        const double dx = side * nx, dy = side * ny;
        const double tipX = mx + kTo * dx, tipY = my + kTo * dy;
        canvas.MoveTo(point(mx + kFrom * dx), point(my + kFrom * dy));
        canvas.LineTo(point(tipX), point(tipY));
        // The head: back from the tip and out to both sides.
        for (const double wing : {1.0, -1.0}) {
            canvas.MoveTo(point(tipX), point(tipY));
            canvas.LineTo(point(tipX - kHead * dx + wing * kHead * dy), point(tipY - kHead * dy - wing * kHead * dx));
        }
    }
}

std::string TObjektParallel::Summary() const { return TObjektGerade::Summary() + "   " + StrengthSummary(staerke); }

KindForm<TObjektParallel>& TObjektParallel::Form() {
    static KindForm<TObjektParallel> form = StraightEmitterForm<TObjektParallel>(
        "Emitter of parallel light", "The beam leaves both sides of the line, at right angles to it.",
        "The points must be on the screen.");
    return form;
}

}  // namespace brevanto::objects
