// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektLambertKreis.h"

#include <cmath>

#include "model/ColourChoice.h"
#include "model/SceneList.h"
#include "model/TextParts.h"
#include "objects/StraightEmitterDialog.h"
#include "objects/StreamLineStartsAroundArc.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace {

platform::DialogSpec& Dialog() {
    using platform::Control;
    static platform::DialogSpec dialog = [] {
        std::vector<Control> controls{Control::Edit("staerke", "energy flow density")};
        for (Control& geometry :
             TObjektKreis::CoordinateControls(TObjektKreis::RadiusField::BeforeCentre, "Complete circle?"))
            controls.push_back(std::move(geometry));
        controls.push_back(ColourCombo());
        controls.push_back(Control::Button("OK", platform::ModalResult::OK, true));
        controls.push_back(Control::CancelButton());
        return platform::DialogSpec{"Circular lambert-like emitter", std::move(controls)};
    }();
    return dialog;
}

}  // namespace

TObjektLambertKreis::TObjektLambertKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : TObjektKreis(x1, y1, x2, y2) {
    kind = "lambertkreis";
    description = "Circular lambert-like emitter";
}

double TObjektLambertKreis::Strength() const { return staerke; }

void TObjektLambertKreis::PrepareQueries(const Tprgvar& settings) {
    // At least one element per range, so that every range emits.
    const ArcCutRule rule{1, sizeof(ArcElement) / sizeof(float),
                          "A circular lambert-like emitter is too large for this resolution of the calculation:\r"
                          "its surface elements would not fit into memory."};
    const AngleRanges current = Ranges();
    pieces = CutArc(*this, current, settings.sellaenge, settings.richtungprosel, rule);
    ranges = current;
}

int64_t TObjektLambertKreis::QueryElements(const Tprgvar& settings) const {
    // Without strength no element's path is tested.
    if (staerke == 0) return 0;
    return ArcElementTotal(*this, Ranges(), settings.sellaenge, settings.richtungprosel, 1);
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
    ForEachElementContribution(px, py, list, exclude, [&](float cx, float cy) {
        const double magnitude = std::sqrt(static_cast<double>(cx) * cx + static_cast<double>(cy) * cy);
        if (magnitude > staerke) {
            cx = static_cast<float>(cx * staerke / magnitude);
            cy = static_cast<float>(cy * staerke / magnitude);
        }
        result.Prepend({cx, cy});
    });
}

void TObjektLambertKreis::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                              const StopCheck& stop) const {
    AddStreamLineStartsAroundArc(*this, pieces, starts, list, fluxPerLine, staerke, stop);
}

bool TObjektLambertKreis::Edit(const EditContext& context) {
    using namespace platform;
    DialogSpec& dialog = Dialog();
    dialog["staerke"].text = ShortestFloatToStr(staerke);
    ShowCoordinates(dialog);
    while (context.platform.ShowModal(dialog) == ModalResult::OK) {
        FieldReader fields(dialog);
        staerke = fields.Float("staerke");
        fields.Require(StrengthProblem(staerke).empty(), "staerke", StrengthProblem(staerke));
        ReadCoordinates(fields);
        ApplyColourChoice(dialog["color"], colour);
        if (!fields.Refused(context.platform)) return true;
    }
    return false;
}

std::string TObjektLambertKreis::Summary() const { return TObjektKreis::Summary() + "   " + StrengthSummary(staerke); }

std::string TObjektLambertKreis::ValueProblem() const {
    return JoinSentences(TObjektKreis::ValueProblem(), StrengthProblem(staerke));
}

bool TObjektLambertKreis::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return Tszeneobjekt::LoadFromFile(file) && LoadCoordinates(file) && reader.Float("staerke=", staerke) &&
           reader.Keyword("end");
}

void TObjektLambertKreis::SaveToFile(platform::TextFile& file) const {
    SaveHeader(file);
    SaveCoordinates(file);
    file.WriteLine("staerke=" + platform::FloatToStr(staerke));
    file.WriteLine("end");
}
