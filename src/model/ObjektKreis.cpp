// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ObjektKreis.h"

#include <algorithm>
#include <cmath>

#include "model/Geometry.h"
#include "model/Numbers.h"
#include "model/Occlusion.h"
#include "model/TextParts.h"
#include "platform/Canvas.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"

namespace brevanto::model {

namespace {
// In double rather than in integers: exact for every distance within a
// picture, and no overflow for the far-off coordinates a scene file may hold.
double Difference(int32_t a, int32_t b) { return static_cast<double>(a) - b; }

double SquaredDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    const double dx = Difference(bx, ax), dy = Difference(by, ay);
    return dx * dx + dy * dy;
}

double Radians(double degrees) { return degrees * kPi / 180; }
double Degrees(double radians) { return radians * 180 / kPi; }

// The angle as a whole degree within [0, 360).
int32_t ReducedAngle(int32_t degrees) {
    const int32_t rest = degrees % 360;
    return rest < 0 ? rest + 360 : rest;
}

bool WithinATurn(int32_t degrees) { return 0 <= degrees && degrees <= 360; }
}  // namespace

TObjektKreis::TObjektKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : xmitte(x1), ymitte(y1), radius(Round(std::sqrt(SquaredDistance(x1, y1, x2, y2)))) {}

ArcAngles TObjektKreis::Arc() const {
    // The span in 64 bits: the angles may lie anywhere in 32 bits.
    if (int64_t{winkel2} - winkel1 >= 360) return {0, 360};
    const int32_t from = ReducedAngle(winkel1), to = ReducedAngle(winkel2);
    if (from == to) return {0, 360};
    // A pair within 0..360 keeps its form, 360 included: its ranges, and the
    // closed ends with which [w, 360] blocks, stay as they have always been.
    if (WithinATurn(winkel1) && WithinATurn(winkel2)) return {winkel1, winkel2};
    return {from, to};
}

AngleRanges TObjektKreis::Ranges() const {
    const ArcAngles arc = Arc();
    if (arc.to > arc.from) return {{{{arc.from, arc.to}, {0, 0}}}, 1};
    return {{{{arc.from, 360}, {0, arc.to}}}, 2};
}

void TObjektKreis::Draw(platform::Canvas& canvas) const {
    Tszeneobjekt::Draw(canvas);
    // Positions in double, then Round, which saturates: a far-off circle from
    // a file cannot overflow.
    const double cx = xmitte, cy = ymitte, r = radius;
    const int left = Round(cx - r), top = Round(cy - r), right = Round(cx + r), bottom = Round(cy + r);
    const ArcAngles arc = Arc();
    if (arc.IsFullCircle()) {
        canvas.SetBrushStyle(platform::BrushStyle::Hollow);
        canvas.Ellipse(left, top, right, bottom);
        return;
    }
    auto x = [&](int32_t angle) { return Round(cx + Round(std::sin(Radians(angle)) * r)); };
    auto y = [&](int32_t angle) { return Round(cy - Round(std::cos(Radians(angle)) * r)); };
    // The canvas draws counter-clockwise, so the clockwise arc starts at its
    // end angle.
    canvas.Arc(left, top, right, bottom, x(arc.to), y(arc.to), x(arc.from), y(arc.from));
}

bool TObjektKreis::IsDegenerate() const { return radius == 0; }

void TObjektKreis::SetEndPoint(int32_t x, int32_t y) {
    radius = Round(std::sqrt(SquaredDistance(xmitte, ymitte, x, y)));
}

Occluder TObjektKreis::BlockingShape() const {
    const ArcAngles arc = Arc();
    return Occluder::Circle(xmitte, ymitte, radius, arc.from, arc.to);
}

bool TObjektKreis::IsNear(int32_t x, int32_t y, int32_t d, int32_t skipA, int32_t skipB) const {
    if (number == skipA || number == skipB) return false;
    const double ox = Difference(x, xmitte), oy = Difference(y, ymitte);
    const double rho2 = ox * ox + oy * oy, rho = std::sqrt(rho2);
    const bool near = std::fabs(rho - radius) < d;
    const ArcAngles arc = Arc();
    if (arc.IsFullCircle() || !near) return near;
    if (rho == 0) return true;
    // The circle points within d of P lie within +-w of P's own arc angle,
    // cos w = (rho^2 + r^2 - d^2) / (2 rho r). Below -1 the whole circle lies
    // within d of P, so the arc does too. Above 1 only by rounding, since P is
    // near the circle: clamp, w = 0.
    const double r = radius, reach = d;
    const double cosine = (rho2 + r * r - reach * reach) / (2 * rho * r);
    if (cosine < -1) return true;
    const double theta = Degrees(DirectionAngle(ox, oy)) + 90;
    const double w = Degrees(std::acos(std::min<double>(cosine, 1)));
    return AngleRangesOverlap(arc.from, arc.to, Round(theta - w), Round(theta + w));
}

std::vector<Handle> TObjektKreis::Handles() const {
    const ArcAngles arc = Arc();
    const double middle =
        NormalizeAngle((static_cast<double>(arc.from) + (arc.to > arc.from ? arc.to : arc.to + 360.0)) / 2, 360);
    const double cx = xmitte, cy = ymitte;
    return {{xmitte, ymitte},
            {Round(cx + std::sin(Radians(middle)) * radius), Round(cy - std::cos(Radians(middle)) * radius)}};
}

void TObjektKreis::MoveHandle(size_t index, int32_t x, int32_t y) {
    if (index == 0)
        MoveBy(static_cast<int32_t>(std::clamp<int64_t>(int64_t{x} - xmitte, INT32_MIN, INT32_MAX)),
               static_cast<int32_t>(std::clamp<int64_t>(int64_t{y} - ymitte, INT32_MIN, INT32_MAX)));
    if (index == 1) SetEndPoint(x, y);
}

std::string TObjektKreis::RadiusProblem(double radius) {
    return radius < 0 ? "The radius must not be negative." : std::string{};
}

std::string TObjektKreis::Summary() const {
    std::string summary = "centre (" + platform::IntToStr(xmitte) + ", " + platform::IntToStr(ymitte) + "), radius " +
                          platform::IntToStr(radius);
    if (!IsFullCircle())
        summary += ", arc " + platform::IntToStr(winkel1) + "\u00b0 to " + platform::IntToStr(winkel2) + "\u00b0";
    return summary;
}

void TObjektKreis::MoveBy(int32_t dx, int32_t dy) {
    xmitte = SaturatingAdd(xmitte, dx);
    ymitte = SaturatingAdd(ymitte, dy);
}

std::vector<platform::Control> TObjektKreis::CoordinateControls(const FieldList& fields, RadiusField radiusField,
                                                                const std::string& angleHeading) {
    using platform::Control;
    std::vector<Control> controls = radiusField == RadiusField::BeforeCentre
                                        ? fields.Controls({"radius", "xmitte", "ymitte"})
                                        : fields.Controls({"xmitte", "ymitte", "radius"});
    controls.push_back(Control::Label(angleHeading));
    for (Control& angle : fields.Controls({"winkel1", "winkel2"})) controls.push_back(std::move(angle));
    controls.push_back(
        Control::Label("Any whole number of degrees, 0 straight up, growing clockwise;\r"
                       "the arc runs clockwise from the start to the end angle.\r"
                       "A span of 360 or more is the full circle, as are angles equal modulo 360."));
    return controls;
}

}  // namespace brevanto::model
