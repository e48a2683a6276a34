// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektSpiegelKreis.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/ColourChoice.h"
#include "model/Geometry.h"
#include "model/IterationPass.h"
#include "model/SceneList.h"
#include "objects/MirrorCoefficients.h"
#include "objects/MirrorPower.h"
#include "objects/StreamLineStartsAroundArc.h"
#include "objects/SurfaceProbes.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

TObjektSpiegelKreis::TObjektSpiegelKreis(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : DeclaredFields(x1, y1, x2, y2) {
    kind = "spiegelkreis";
    description = "Circular mirror";
}

void TObjektSpiegelKreis::PrepareQueries(const Tprgvar& settings) {
    elements.RebuildElements(*this, settings.sellaenge, settings.richtungprosel);
    abbruchgenauigkeit = settings.abbruchgenauigkeit;
}

// Each element gathers 3 pixels off both of its faces.
int64_t TObjektSpiegelKreis::QueryElements(const Tprgvar& settings) const {
    return 2 * ArcElementTotal(*this, Ranges(), settings.sellaenge, settings.richtungprosel, 0);
}

int64_t TObjektSpiegelKreis::StoredValues(const Tprgvar& settings) const {
    const int64_t elements = ArcElementTotal(*this, Ranges(), settings.sellaenge, settings.richtungprosel, 0);
    // Below 2^62 / 2^32 elements the product stays in 64 bits.
    return std::min<int64_t>(elements, int64_t{1} << 29) * (2 * int64_t{settings.richtungprosel} + 2);
}

// It gathers its own light too, as any other.
ReceivingSurface TObjektSpiegelKreis::ReceivingProbes(const Tprgvar& settings) const {
    return CircleSurfaceProbes(*this, settings, 0, OwnLight::Counts);
}

// It keeps reflected and transmitted beams apart; its diffuse exitances hold
// both, split difref : diftrans as every arriving vector was.
std::optional<SentLight> TObjektSpiegelKreis::SentPower() const {
    SentLight sent;
    double diffuse = 0;
    for (size_t k = 0; k < elements.Pieces().size(); ++k) {
        const ArcPiece& piece = elements.Pieces()[k];
        const ArcRadiation& radiation = elements.Radiation()[k];
        const std::vector<double> widths = BinWidths(static_cast<size_t>(radiation.bins));
        for (size_t i = 0; i < piece.elements.size(); ++i) {
            sent.reflected += DirectedPower(radiation.Reflected(i), widths, piece.elementLength);
            sent.transmitted += DirectedPower(radiation.Transmitted(i), widths, piece.elementLength);
            diffuse +=
                (static_cast<double>(radiation.difrad[2 * i]) + radiation.difrad[2 * i + 1]) * piece.elementLength;
        }
    }
    sent.reflected += CoefficientShare(diffuse, difref, diftrans);
    sent.transmitted += CoefficientShare(diffuse, diftrans, difref);
    sent.passedPercent = PassedPercent(dirref, dirtrans, difref, diftrans);
    return sent;
}

std::function<void()> TObjektSpiegelKreis::RadiationRestorer() {
    return [this, kept = elements]() mutable { elements = std::move(kept); };
}

void TObjektSpiegelKreis::ForgetRadiation() { elements.ClearRadiation(); }

bool TObjektSpiegelKreis::RadiationIsFinite() const {
    const auto finite = [](float value) { return std::isfinite(value); };
    return std::all_of(elements.Radiation().begin(), elements.Radiation().end(), [&](const ArcRadiation& range) {
        return std::all_of(range.difrad.begin(), range.difrad.end(), finite) &&
               std::all_of(range.refrad.begin(), range.refrad.end(), finite) &&
               std::all_of(range.transrad.begin(), range.transrad.end(), finite);
    });
}

PassChange TObjektSpiegelKreis::Iterate(const SceneList& list, IterationPass& pass) {
    // Element after element on one thread: each gathers from the mirror
    // itself as well and sees what the elements before it gathered, so the
    // order fixes the result.
    PassChange change;
    for (size_t k = 0; k < elements.Pieces().size(); ++k)
        for (size_t i = 0; i < elements.Pieces()[k].elements.size(); ++i) {
            if (pass.stop) pass.stop();
            change.Add(GatherRadiation(k, i, list));
            pass.ElementDone();
        }
    return change;
}

int64_t TObjektSpiegelKreis::PassElements() const {
    int64_t count = 0;
    for (const ArcPiece& piece : elements.Pieces()) count += static_cast<int64_t>(piece.elements.size());
    return count;
}

double TObjektSpiegelKreis::Receive(const FlowVector& v, const ArcElement& element, size_t face, float tangentX,
                                    float tangentY, float (&diffuse)[2]) {
    const auto bins = static_cast<int32_t>(reflected.size());
    const double magnitude = std::sqrt(static_cast<double>(v.fx) * v.fx + static_cast<double>(v.fy) * v.fy);
    const int32_t j = DirectionBinIndex(bins, v.fx, v.fy, tangentX, tangentY);
    double directed = 0;
    if (dirtrans > 0) {
        const auto share = static_cast<float>(magnitude * dirtrans / 100);
        transmitted[static_cast<size_t>(TransmittedBin(bins, j))] += share;
        directed += share;
    }
    if (dirref > 0) {
        const auto share = static_cast<float>(magnitude * dirref / 100);
        reflected[static_cast<size_t>(ReflectedBin(bins, j))] += share;
        directed += share;
    }
    // The irradiance of the face: the inward component at the outer face,
    // the outward one at the inner face.
    const double sigma = face == 0 ? -1 : 1;
    const double irradiance = std::max<double>(
        0, -sigma * (element.normal.x * static_cast<double>(v.fx) + element.normal.y * static_cast<double>(v.fy)));
    if (difref > 0) diffuse[face] = static_cast<float>(diffuse[face] + difref * irradiance / 100);
    if (diftrans > 0) diffuse[1 - face] = static_cast<float>(diffuse[1 - face] + irradiance * diftrans / 100);
    return directed;
}

PassChange TObjektSpiegelKreis::GatherRadiation(size_t k, size_t i, const SceneList& list) {
    ArcRadiation& radiation = elements.Radiation()[k];
    const ArcElement& element = elements.Pieces()[k].elements[i];
    const int32_t bins = radiation.bins;
    float* const difrad = &radiation.difrad[2 * i];  // inner face, outer face
    const float oldInner = difrad[0], oldOuter = difrad[1];
    double oldSum = 0, newSum = 0;
    for (std::span<float> values : {radiation.Reflected(i), radiation.Transmitted(i)})
        for (float& value : values) {
            oldSum += value;
            value = 0;
        }
    difrad[0] = 0;
    difrad[1] = 0;
    reflected.assign(static_cast<size_t>(bins), 0.0f);
    transmitted.assign(static_cast<size_t>(bins), 0.0f);
    float gathered[2] = {0, 0};  // the new diffuse exitance of the inner and the outer face
    FlowVectorList incoming;
    for (const size_t face : {0u, 1u}) {
        const double sigma = face == 0 ? -1 : 1;
        const double rho = FaceProbeRadius(radius, sigma);
        const auto nx = static_cast<float>(element.normal.x * rho), ny = static_cast<float>(element.normal.y * rho);
        const int32_t px = Round(xmitte + static_cast<double>(nx)), py = Round(ymitte + static_cast<double>(ny));
        for (const auto& object : list) {
            incoming.clear();
            object->FlowContributionsAt(px, py, list, 0, incoming);
            // Only what travels towards this face arrives at it.
            for (const FlowVector& v : incoming)
                if (sigma * (static_cast<double>(v.fx) * nx + static_cast<double>(v.fy) * ny) < 0)
                    newSum += Receive(v, element, face, -ny, nx, gathered);
        }
    }
    difrad[0] = gathered[0];
    difrad[1] = gathered[1];
    std::copy(reflected.begin(), reflected.end(), radiation.Reflected(i).begin());
    std::copy(transmitted.begin(), transmitted.end(), radiation.Transmitted(i).begin());
    PassChange change;
    change.Note(oldInner, gathered[0], abbruchgenauigkeit);
    change.Note(oldOuter, gathered[1], abbruchgenauigkeit);
    change.Note(oldSum, newSum, abbruchgenauigkeit);
    return change;
}

namespace {

// What P = (px, py) receives from element i of a piece of a circular mirror
// of radius r, which P sees: the diffuse exitance of the face P sees, and the
// directed beams of the bins the element's window covers, transmitted and
// reflected.
template <class Visit>
void VisitElementLight(const ArcPiece& piece, const ArcRadiation& radiation, size_t i, int32_t px, int32_t py, double r,
                       Visit& visit) {
    const ArcElement& element = piece.elements[i];
    const int32_t bins = radiation.bins;
    const double length = piece.elementLength;
    // d = E - P, the sight line from P to the element.
    const auto dx = static_cast<float>(element.centre.x - static_cast<double>(px));
    const auto dy = static_cast<float>(element.centre.y - static_cast<double>(py));
    const auto distance = static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    const double ds = dx * static_cast<double>(element.s.x) + dy * static_cast<double>(element.s.y);
    // The face P sees: the inner one when the sight line reaches the
    // element from inside its tangent.
    const bool inner = ds > 0;
    const double facing = inner ? 1 : -1;
    const float exitance = radiation.difrad[2 * i + (inner ? 0 : 1)];
    const double c = LambertFactor(exitance, length, facing * ds / r, distance);
    if (c > 0) visit(static_cast<float>(-dx * c), static_cast<float>(-dy * c));

    // Directed beams along the chord B - A turned to the direction of
    // each covered bin, and of the length of its value.
    const double chordX = static_cast<double>(element.end.x) - element.start.x;
    const double chordY = static_cast<double>(element.end.y) - element.start.y;
    auto beams = [&](std::span<const float> values, double scale) {
        return [&, values, scale](int32_t index, int32_t unreduced, float weight) {
            const double w = -values[static_cast<size_t>(index)] * weight * scale / length;
            if (w == 0) return;
            const double psi = (unreduced + 0.5) * 2 * kPi / bins;
            const double cosine = std::cos(psi), sine = std::sin(psi);
            visit(static_cast<float>((cosine * chordX + sine * chordY) * w),
                  static_cast<float>((-sine * chordX + cosine * chordY) * w));
        };
    };
    // The bins measured from the sight line's reverse, E - P, to the
    // tangent t: the same as from P - E to -t.
    const BinWindow window = CoveredBinWindow(bins, static_cast<float>(px), static_cast<float>(py), element.start,
                                              element.end, element.s.y, -element.s.x);
    ForEachBinOfWindow(bins, window.first, window.last, beams(radiation.Transmitted(i), 1));

    // The curved face fans the reflection out or narrows it with the
    // focal length radius/2: seen at g = |D / cos(alpha) - radius/2|
    // on the inner face, D / cos(alpha) + radius/2 on the outer one,
    // the element's window is magnified by (radius/2) / g. A sight
    // line along the tangent sees no reflection.
    if (ds == 0) return;
    const double g = std::fabs(r * distance * distance / std::fabs(ds) - r / 2 * facing);
    if (!(0.001 < g && g < 1000)) return;
    const double magnification = r / 2 / g;
    double middle = (static_cast<double>(window.first) + window.last + 1) / 2;
    if (middle >= bins) middle -= bins;
    const double width = (static_cast<double>(window.last) - window.first) / magnification;
    ForEachBinOfWindow(bins, middle - width / 2, middle + width / 2, beams(radiation.Reflected(i), magnification));
}

}  // namespace

template <class Visit>
void TObjektSpiegelKreis::ForEachContribution(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                              Visit&& visit) const {
    const double ox = px - static_cast<double>(xmitte), oy = py - static_cast<double>(ymitte);
    // A point on the circle counts as outside: the object may hide its own
    // elements from it.
    const bool outside = !(static_cast<float>(std::sqrt(ox * ox + oy * oy)) < radius);
    const double r = radius;
    for (size_t k = 0; k < elements.Pieces().size(); ++k) {
        const ArcPiece& piece = elements.Pieces()[k];
        const ArcRadiation& radiation = elements.Radiation()[k];
        list.ForEachFan(piece.run, {px, py}, number, exclude,
                        [&](size_t first, size_t last, const OcclusionIndex::Candidates& occluders) {
                            for (size_t i = first; i <= last; ++i)
                                if (ArcElementSees(*this, elements.Ranges(), piece.elements[i], piece.run.points[i], px,
                                                   py, outside, occluders))
                                    VisitElementLight(piece, radiation, i, px, py, r, visit);
                        });
    }
}

bool TObjektSpiegelKreis::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                        int32_t exclude) const {
    fx = 0;
    fy = 0;
    ForEachContribution(px, py, list, exclude, [&](float vx, float vy) {
        fx += vx;
        fy += vy;
    });
    return fx != 0 || fy != 0;
}

void TObjektSpiegelKreis::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                              FlowVectorList& result) const {
    ForEachContribution(px, py, list, exclude, [&](float vx, float vy) { result.Prepend({vx, vy}); });
}

bool TObjektSpiegelKreis::FlowAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float& fx, float& fy,
                                 FlowVectorList& contributions) const {
    fx = 0;
    fy = 0;
    ForEachContribution(px, py, list, exclude, [&](float vx, float vy) {
        fx += vx;
        fy += vy;
        contributions.Prepend({vx, vy});
    });
    return fx != 0 || fy != 0;
}

void TObjektSpiegelKreis::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                              const StopCheck& stop) const {
    // Only what passes through the mirror starts lines; its own field counts.
    if (dirtrans > 0 || diftrans > 0)
        AddStreamLineStartsAroundArc(*this, elements.Pieces(), starts, list, fluxPerLine, std::nullopt, stop);
}

std::string TObjektSpiegelKreis::Summary() const {
    return TObjektKreis::Summary() + "   " + MirrorCoefficientSummary(dirref, dirtrans, difref, diftrans);
}

KindForm<TObjektSpiegelKreis>& TObjektSpiegelKreis::Form() {
    static KindForm<TObjektSpiegelKreis> form = [] {
        using platform::Control;
        KindForm<TObjektSpiegelKreis> made{
            FieldTable<TObjektSpiegelKreis>({GeometryFields<TObjektSpiegelKreis>(),
                                             MirrorCoefficientFields<TObjektSpiegelKreis>("Diffuse reflektivity")})};
        std::vector<Control> controls = MirrorCoefficientControls(made.fields);
        for (Control& geometry : CoordinateControls(made.fields, RadiusField::BeforeCentre, "Full circle?"))
            controls.push_back(std::move(geometry));
        controls.push_back(ColourCombo());
        made.dialog = KindDialog("Circular Mirror", std::move(controls));
        // Before reading: a malformed value that ends the edit half-way must
        // not leave radiation behind that was built for the old geometry.
        made.beforeReading = [](TObjektSpiegelKreis& mirror) { mirror.elements.FreeElements(); };
        made.requireTogether = [](const TObjektSpiegelKreis& mirror, platform::FieldReader& fields, const Tprgvar&) {
            RequireMirrorCoefficients(mirror, fields);
        };
        // Directed radiation needs fine direction bins to look smooth.
        made.afterTaking = [](const TObjektSpiegelKreis& mirror, const EditContext& context) {
            if ((mirror.dirtrans > 0 || mirror.dirref > 0) && context.settings.richtungprosel < 1000)
                context.platform.ShowMessage(
                    "For good pictures,\rYou should set in the menu Parameters,\rsubmenu Resolution of calculation\r"
                    "the Number of discrete directions to at least 1000.");
        };
        made.problemTogether = [](const TObjektSpiegelKreis& mirror) {
            return MirrorCoefficientProblem(mirror.dirref, mirror.dirtrans, mirror.difref, mirror.diftrans);
        };
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
