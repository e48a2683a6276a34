// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ObjektGerade.h"

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
// Coordinate arithmetic in double rather than in integers: exact while a
// product stays below 2^53, as every product of window coordinates does, and
// no overflow for the far-off coordinates a scene file may hold (differences
// up to 2^32, products up to 2^64).
double Difference(int32_t a, int32_t b) { return static_cast<double>(a) - b; }
}  // namespace

TObjektGerade::TObjektGerade(int32_t px1, int32_t py1, int32_t px2, int32_t py2) : x1(px1), y1(py1), x2(px2), y2(py2) {}

void TObjektGerade::Draw(platform::Canvas& canvas) const {
    Tszeneobjekt::Draw(canvas);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

bool TObjektGerade::IsDegenerate() const { return x1 == x2 && y1 == y2; }

void TObjektGerade::SetEndPoint(int32_t x, int32_t y) {
    x2 = x;
    y2 = y;
}

std::vector<Handle> TObjektGerade::Handles() const { return {{x1, y1}, {x2, y2}}; }

void TObjektGerade::MoveHandle(size_t index, int32_t x, int32_t y) {
    if (index == 0) {
        x1 = x;
        y1 = y;
    } else if (index == 1) {
        x2 = x;
        y2 = y;
    }
}

std::optional<Handle> TObjektGerade::NearestOutlinePoint(int32_t x, int32_t y) const {
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    const double lengthSquared = dx * dx + dy * dy;
    const double along =
        lengthSquared > 0
            ? std::clamp(((static_cast<double>(x) - x1) * dx + (static_cast<double>(y) - y1) * dy) / lengthSquared, 0.0,
                         1.0)
            : 0.0;
    // Inside the segment's box, so the rounded point fits.
    return Handle{static_cast<int32_t>(std::nearbyint(x1 + along * dx)),
                  static_cast<int32_t>(std::nearbyint(y1 + along * dy))};
}

std::string TObjektGerade::Summary() const {
    return "(" + platform::IntToStr(x1) + ", " + platform::IntToStr(y1) + ") to (" + platform::IntToStr(x2) + ", " +
           platform::IntToStr(y2) + ")";
}

void TObjektGerade::MoveBy(int32_t dx, int32_t dy) {
    x1 = SaturatingAdd(x1, dx);
    y1 = SaturatingAdd(y1, dy);
    x2 = SaturatingAdd(x2, dx);
    y2 = SaturatingAdd(y2, dy);
}

float TObjektGerade::Length() const {
    const double dx = Difference(x2, x1), dy = Difference(y2, y1);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool TObjektGerade::IsNear(int32_t x, int32_t y, int32_t d, int32_t, int32_t) const {
    const double dx = Difference(x2, x1), dy = Difference(y2, y1);
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return false;
    const double px = Difference(x, x1), py = Difference(y, y1);
    const double dist = std::fabs(px * dy - py * dx) / length;
    if (dist > d) return false;
    const double t = (px * dx + py * dy) / length;
    if (t < -d) return false;
    return t <= length + d;
}

Occluder TObjektGerade::BlockingShape() const { return Occluder::Segment(x1, y1, x2, y2); }

std::vector<platform::Control> TObjektGerade::CoordinateControls(const FieldList& fields) {
    return fields.Controls({"x1", "y1", "x2", "y2"});
}

void TObjektGerade::RequireOnScreen(platform::FieldReader& fields, const Tprgvar& settings,
                                    const std::string& message) const {
    // The field of the coordinate that lies off: x when it does, else y.
    const auto require = [&](int32_t x, int32_t y, const char* xField, const char* yField) {
        fields.Require(!IsOffScreen(x, y, settings), IsOffScreen(x, 0, settings) ? xField : yField, message);
    };
    require(x1, y1, "x1", "y1");
    require(x2, y2, "x2", "y2");
}

}  // namespace brevanto::model
