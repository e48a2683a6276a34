// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektSonne.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/Numbers.h"
#include "model/SceneList.h"
#include "objects/StrengthField.h"
#include "platform/Canvas.h"
#include "platform/Conversions.h"

namespace brevanto::objects {

using namespace model;

namespace {
// The sine or cosine of a multiple of 90 degrees comes out as about 1e-16
// instead of 0. Taken as it is, such a cross component sends the entry point
// of a point on the picture's border onto the point itself, where nothing
// can shade it; real components of a float direction are far larger.
double WithoutRoundingNoise(double component) { return std::fabs(component) < 1e-12 ? 0 : component; }

}  // namespace

TObjektSonne::TObjektSonne() {
    kind = "sonne";
    description = "Sun";
}

void TObjektSonne::Draw(platform::Canvas&) const {}

void TObjektSonne::DrawWindowMark(platform::Canvas& canvas, int32_t width, int32_t height) const {
    constexpr int kInset = 12, kRadius = 5, kRay = 16;
    constexpr platform::TColor kSunColour = 0x00A5FF;  // orange
    const double angle = std::numbers::pi * richtung / 180;
    // Towards the sun from the picture's middle: 0 degrees up, 90 right.
    const double ux = std::sin(angle), uy = -std::cos(angle);
    const double halfWidth = std::max(0.0, width / 2.0 - kInset), halfHeight = std::max(0.0, height / 2.0 - kInset);
    const double reach = std::min(std::fabs(ux) > 1e-9 ? halfWidth / std::fabs(ux) : HUGE_VAL,
                                  std::fabs(uy) > 1e-9 ? halfHeight / std::fabs(uy) : HUGE_VAL);
    const int x = static_cast<int>(std::lround(width / 2.0 + ux * reach));
    const int y = static_cast<int>(std::lround(height / 2.0 + uy * reach));
    canvas.SetPenColor(kSunColour);
    canvas.SetBrushColor(kSunColour);
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.Ellipse(x - kRadius, y - kRadius, x + kRadius + 1, y + kRadius + 1);
    canvas.MoveTo(x, y);
    canvas.LineTo(static_cast<int>(std::lround(x - ux * kRay)), static_cast<int>(std::lround(y - uy * kRay)));
}

double TObjektSonne::Strength() const { return staerke; }

bool TObjektSonne::IsDegenerate() const { return staerke == 0; }

void TObjektSonne::PrepareQueries(const Tprgvar& settings) {
    breite = settings.breite;
    hoehe = settings.hoehe;
}

// What crosses the edges facing the sun.
double TObjektSonne::EmittedPower(const Tprgvar& settings) const {
    const double width = settings.breite, height = settings.hoehe;
    const double theta = kPi * richtung / 180;
    return staerke * (width * std::fabs(std::cos(theta)) + height * std::fabs(std::sin(theta)));
}

// One path, from the point to the picture's border.
int64_t TObjektSonne::QueryElements(const Tprgvar&) const { return 1; }

bool TObjektSonne::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                 int32_t exclude) const {
    const double theta = kPi * richtung / 180;
    fx = static_cast<float>(-staerke * WithoutRoundingNoise(std::sin(theta)));
    fy = static_cast<float>(staerke * WithoutRoundingNoise(std::cos(theta)));
    if (fx == 0 && fy == 0) return false;
    // Where the ray through the point, followed back against the light, enters
    // the picture.
    const double width = breite, height = hoehe;
    double bx, by;
    if (fx == 0) {
        bx = px;
        by = fy > 0 ? 0 : height;
    } else {
        bx = fx > 0 ? 0 : width;
        by = (bx - px) * fy / fx + py;
        // A light component of exactly 0 only meets these cases for points
        // outside the picture, which the frame shades anyway.
        if (by < 0 && fy != 0) {
            by = 0;
            bx = (0 - static_cast<double>(py)) * fx / fy + px;
        }
        if (by > height && fy != 0) {
            by = height;
            bx = (height - py) * fx / fy + px;
        }
    }
    if (list.AnyBlocks(px, py, Round(bx), Round(by), number, exclude)) {
        fx = 0;
        fy = 0;
        return false;
    }
    return true;
}

void TObjektSonne::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                       FlowVectorList& result) const {
    float fx, fy;
    if (FlowDensityAt(px, py, list, fx, fy, exclude)) result.Prepend({fx, fy});
}

std::string TObjektSonne::Summary() const {
    return "from " + platform::ShortestFloatToStr(richtung) + "\u00b0   " + StrengthSummary(staerke);
}

KindForm<TObjektSonne>& TObjektSonne::Form() {
    static KindForm<TObjektSonne> form = [] {
        using platform::Control;
        KindForm<TObjektSonne> made{FieldTable<TObjektSonne>(
            {StrengthField<TObjektSonne>("Energy flow density"),
             {{{"richtung", "Direction of the emitter", "degrees"}, &TObjektSonne::richtung}}})};
        std::vector<Control> controls = made.fields.Controls({"richtung"});
        controls.push_back(
            Control::Label("Where the light comes from: 0 from above the picture, 90 from the right,\r"
                           "180 from below, 270 from the left (growing clockwise)."));
        for (Control& strength : made.fields.Controls({"staerke"})) controls.push_back(std::move(strength));
        made.dialog = KindDialog("Sun", std::move(controls));
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
