// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/ObjektSpiegel.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "model/ColourChoice.h"
#include "model/Geometry.h"
#include "model/IterationPass.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/MirrorCoefficients.h"
#include "objects/MirrorPower.h"
#include "objects/StreamLineStartsAlongSegment.h"
#include "objects/SurfaceProbes.h"
#include "platform/Errors.h"
#include "platform/FieldReader.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

namespace {}  // namespace

TObjektSpiegel::TObjektSpiegel(int32_t px1, int32_t py1, int32_t px2, int32_t py2)
    : DeclaredFields(px1, py1, px2, py2) {
    kind = "spiegel";
    description = "Straight mirror/diffusor";
}

void TObjektSpiegel::PrepareQueries(const Tprgvar& settings) {
    elements.RebuildElements(x1, y1, x2, y2, settings.sellaenge, settings.richtungprosel);
    run.points.clear();
    for (const TSelListe& element : elements.Elements()) run.points.push_back({Round(element.x), Round(element.y)});
    PrepareDirections(settings.richtungprosel);
    surface.Prepare(*this, settings);
    abbruchgenauigkeit = settings.abbruchgenauigkeit;
}

int64_t TObjektSpiegel::QueryElements(const Tprgvar& settings) const {
    return StraightElementCount(Length(), settings.sellaenge);
}

int64_t TObjektSpiegel::StoredValues(const Tprgvar& settings) const {
    return QueryElements(settings) * settings.richtungprosel;
}

ReceivingSurface TObjektSpiegel::ReceivingProbes(const Tprgvar& settings) const {
    return StraightSurfaceProbes(*this, settings);
}

// Its directed bins hold reflected and transmitted light together, split
// dirref : dirtrans as every arriving vector was; the diffuse exitances
// likewise difref : diftrans.
std::optional<SentLight> TObjektSpiegel::SentPower() const {
    const std::vector<double> widths =
        BinWidths(elements.Elements().empty() ? 0 : elements.Elements()[0].dirrad.size());
    double directed = 0, diffuse = 0;
    for (const TSelListe& element : elements.Elements()) {
        directed += DirectedPower(element.dirrad, widths, elements.elemlen);
        diffuse += (static_cast<double>(element.difplus) + element.difminus) * elements.elemlen;
    }
    return SentLight{
        CoefficientShare(directed, dirref, dirtrans) + CoefficientShare(diffuse, difref, diftrans),
        CoefficientShare(directed, dirtrans, dirref) + CoefficientShare(diffuse, diftrans, difref),
        PassedPercent(dirref, dirtrans, difref, diftrans),
    };
}

std::function<void()> TObjektSpiegel::RadiationRestorer() {
    return [this, kept = elements]() mutable { elements = std::move(kept); };
}

void TObjektSpiegel::ForgetRadiation() { elements.ClearRadiation(); }

bool TObjektSpiegel::RadiationIsFinite() const {
    const auto finite = [](float value) { return std::isfinite(value); };
    return std::all_of(elements.Elements().begin(), elements.Elements().end(), [&](const TSelListe& element) {
        return finite(element.difplus) && finite(element.difminus) &&
               std::all_of(element.dirrad.begin(), element.dirrad.end(), finite);
    });
}

PassChange TObjektSpiegel::Iterate(const SceneList& list, IterationPass& pass) {
    std::vector<TSelListe>& all = elements.Elements();
    std::vector<SteadyIncoming>* steady = nullptr;
    if (pass.store) {
        // The records count against the store's bound too: a mirror of
        // millions of elements keeps none rather than outgrow it.
        std::vector<SteadyIncoming>& records = pass.store->For<std::vector<SteadyIncoming>>(number);
        if (records.size() != all.size() &&
            pass.store->Reserve(static_cast<int64_t>(all.size() * sizeof(SteadyIncoming))))
            records.resize(all.size());
        if (records.size() == all.size()) steady = &records;
    }
    std::vector<ChangingObject> changing;
    size_t words = 0;
    for (const auto& other : list)
        if (other->number != number && other->PassElements() > 0) {
            const auto count = static_cast<size_t>(other->PassElements());
            changing.push_back({other, words, (count + 63) / 64});
            words += changing.back().words;
        }
    // Each element gathers only from the other objects, so the elements are
    // independent of each other and can be refilled side by side.
    std::vector<PassChange> changes(all.size());
    ParallelFor(
        static_cast<int64_t>(all.size()),
        [&](int64_t i) {
            const auto k = static_cast<size_t>(i);
            changes[k] = GatherRadiation(all[k], list, changing, steady ? &(*steady)[k] : nullptr, pass.store);
            pass.ElementDone();
        },
        pass.stop);
    PassChange change;
    for (const PassChange& element : changes) change.Add(element);
    return change;
}

int64_t TObjektSpiegel::PassElements() const { return static_cast<int64_t>(elements.Elements().size()); }

void TObjektSpiegel::Receive(const FlowVector& v, int32_t b, GatheredSums& sums) const {
    const auto bins = static_cast<int32_t>(sums.dirrad.size());
    const double length = elements.seglen;
    const double magnitude = std::sqrt(static_cast<double>(v.fx) * v.fx + static_cast<double>(v.fy) * v.fy);
    if (dirtrans > 0) {
        const auto share = static_cast<float>(magnitude * dirtrans / 100);
        sums.dirrad[static_cast<size_t>(TransmittedBin(bins, b))] += share;
        sums.total += share;
    }
    if (dirref > 0) {
        const auto share = static_cast<float>(magnitude * dirref / 100);
        sums.dirrad[static_cast<size_t>(ReflectedBin(bins, b))] += share;
        sums.total += share;
    }
    // The flux through the segment, positive when the radiation travels
    // towards the plus side.
    const double normalX = static_cast<double>(y2) - y1, normalY = static_cast<double>(x1) - x2;
    const auto s = static_cast<float>(normalX * v.fx + normalY * v.fy);
    if (s > 0) {
        sums.difplus = static_cast<float>(sums.difplus + diftrans * s / length / 100);
        sums.difminus = static_cast<float>(sums.difminus + difref * s / length / 100);
    } else if (s < 0) {
        sums.difplus = static_cast<float>(sums.difplus - difref * s / length / 100);
        sums.difminus = static_cast<float>(sums.difminus - diftrans * s / length / 100);
    }
}

void TObjektSpiegel::ReceiveAll(const FlowVectorList& incoming, GatheredSums& sums,
                                std::vector<SteadyVector>* record) const {
    const auto bins = static_cast<int32_t>(sums.dirrad.size());
    const auto reverseX = static_cast<float>(int64_t{x1} - x2), reverseY = static_cast<float>(int64_t{y1} - y2);
    for (const FlowVector& v : incoming) {
        // The bin of the travel direction against the reversed segment.
        const int32_t b = DirectionBinIndex(bins, v.fx, v.fy, reverseX, reverseY);
        Receive(v, b, sums);
        if (record) record->push_back({v, b});
    }
}

void TObjektSpiegel::GatherSeen(SightPoint centre, const SceneList& list, const ChangingObject& other,
                                std::vector<uint64_t>& sight, bool recorded, FlowVectorList& incoming,
                                GatheredSums& sums) const {
    incoming.clear();
    SightRecord seen{std::span<uint64_t>(sight).subspan(other.firstWord, other.words), recorded};
    other.object->FlowContributionsSeenAt(centre.x, centre.y, list, number, incoming, seen);
    ReceiveAll(incoming, sums, nullptr);
}

void TObjektSpiegel::GatherAnew(SightPoint centre, const SceneList& list, GatheredSums& sums) const {
    FlowVectorList incoming;
    for (const auto& other : list) {
        if (other->number == number) continue;
        incoming.clear();
        other->FlowContributionsAt(centre.x, centre.y, list, number, incoming);
        ReceiveAll(incoming, sums, nullptr);
    }
}

void TObjektSpiegel::GatherRecording(SightPoint centre, const SceneList& list,
                                     const std::vector<ChangingObject>& changing, SteadyIncoming& steady,
                                     PassStore& store, GatheredSums& sums) const {
    SteadyIncoming record;
    record.sight.assign(changing.empty() ? 0 : changing.back().firstWord + changing.back().words, 0);
    FlowVectorList incoming;
    size_t k = 0;
    for (const auto& other : list) {
        if (other->number == number) continue;
        if (k < changing.size() && changing[k].object == other) {
            if (k == 0) record.before = sums;
            record.ends.push_back(static_cast<uint32_t>(record.vectors.size()));
            GatherSeen(centre, list, changing[k++], record.sight, false, incoming, sums);
        } else {
            incoming.clear();
            other->FlowContributionsAt(centre.x, centre.y, list, number, incoming);
            ReceiveAll(incoming, sums, k > 0 ? &record.vectors : nullptr);
        }
    }
    if (changing.empty()) record.before = sums;
    steady.tried = true;
    record.vectors.shrink_to_fit();
    const auto bytes = static_cast<int64_t>(
        record.before.dirrad.size() * sizeof(float) + record.vectors.size() * sizeof(SteadyVector) +
        record.ends.size() * sizeof(uint32_t) + record.sight.size() * sizeof(uint64_t));
    if (store.Reserve(bytes)) {
        record.tried = record.kept = true;
        steady = std::move(record);
    }
}

void TObjektSpiegel::GatherKept(SightPoint centre, const SceneList& list, const std::vector<ChangingObject>& changing,
                                SteadyIncoming& steady, GatheredSums& sums) const {
    sums = steady.before;
    FlowVectorList incoming;
    size_t next = 0;
    const auto receiveTo = [&](size_t end) {
        for (; next < end; ++next) Receive(steady.vectors[next].v, steady.vectors[next].bin, sums);
    };
    for (size_t k = 0; k < changing.size(); ++k) {
        receiveTo(steady.ends[k]);
        GatherSeen(centre, list, changing[k], steady.sight, true, incoming, sums);
    }
    receiveTo(steady.vectors.size());
}

PassChange TObjektSpiegel::GatherRadiation(TSelListe& element, const SceneList& list,
                                           const std::vector<ChangingObject>& changing, SteadyIncoming* steady,
                                           PassStore* store) const {
    const float oldPlus = element.difplus, oldMinus = element.difminus;
    double oldSum = 0;
    for (float value : element.dirrad) oldSum += value;
    // Gathered apart from the element and stored at the end: the elements
    // lie side by side in memory, and the threads that refill neighbours
    // would otherwise keep taking each other's cache lines.
    GatheredSums sums{std::vector<float>(element.dirrad.size(), 0.0f)};
    const SightPoint centre{Round(element.x), Round(element.y)};
    if (steady && steady->kept)
        GatherKept(centre, list, changing, *steady, sums);
    else if (steady && !steady->tried)
        GatherRecording(centre, list, changing, *steady, *store, sums);
    else
        GatherAnew(centre, list, sums);
    element.dirrad = std::move(sums.dirrad);
    element.difplus = sums.difplus;
    element.difminus = sums.difminus;
    PassChange change;
    change.Note(oldPlus, element.difplus, abbruchgenauigkeit);
    change.Note(oldMinus, element.difminus, abbruchgenauigkeit);
    change.Note(oldSum, sums.total, abbruchgenauigkeit);
    return change;
}

// What one element sends to P: the diffuse part from the face P lies on and
// the directed part of every bin of `window`, the bins the element covers as
// seen from P.
template <class VisitDiffuse, class VisitDirected>
void TObjektSpiegel::ForEachRadiationOfElement(size_t i, int32_t px, int32_t py, BinWindow window,
                                               VisitDiffuse&& visitDiffuse, VisitDirected&& visitDirected) const {
    const TSelListe& element = elements.Elements()[i];
    const double length = elements.seglen;
    const auto tx = static_cast<float>(int64_t{x2} - x1);
    const auto ty = static_cast<float>(int64_t{y2} - y1);
    const double dx = px - static_cast<double>(element.x), dy = py - static_cast<double>(element.y);
    const auto r = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    const auto s = static_cast<float>(dx * ty - dy * tx);
    // The diffuse exitance of the face P lies on, by Lambert's law, but never
    // more than the face emits, which the law would give right at it.
    if (s != 0) {
        const float exitance = s > 0 ? element.difplus : element.difminus;
        double k = LambertFactor(exitance, elements.elemlen, std::fabs(s) / length, r);
        if (k * r > exitance) k = exitance / r;
        visitDiffuse(static_cast<float>(dx * k), static_cast<float>(dy * k), k);
    }
    ForEachBinOfWindow(
        static_cast<int32_t>(element.dirrad.size()), window.first, window.last,
        [&](int32_t index, int32_t unreduced, float weight) {
            const double value = element.dirrad[static_cast<size_t>(index)] * static_cast<double>(weight) / length;
            const BinDirection direction = Direction(unreduced, tx, ty);
            visitDirected(static_cast<float>(direction.x * value), static_cast<float>(direction.y * value), value);
        });
}

TObjektSpiegel::BinDirection TObjektSpiegel::Direction(int32_t unreduced, float tx, float ty) const {
    if (unreduced >= 0 && static_cast<size_t>(unreduced) < directions.size())
        return directions[static_cast<size_t>(unreduced)];
    const auto bins = static_cast<int32_t>(elements.Elements().front().dirrad.size());
    const double psi = (unreduced + 0.5) * 2 * kPi / bins;
    const double c = std::cos(psi), sn = std::sin(psi);
    return {c * tx + sn * ty, -sn * tx + c * ty};
}

void TObjektSpiegel::PrepareDirections(int32_t bins) {
    // The element's end points: centre -+ t * element length / 2 / L.
    const auto tx = static_cast<float>(int64_t{x2} - x1);
    const auto ty = static_cast<float>(int64_t{y2} - y1);
    const double half = elements.elemlen / 2 / static_cast<double>(elements.seglen);
    ends.clear();
    for (const TSelListe& element : elements.Elements())
        ends.push_back(
            {FloatPoint{static_cast<float>(element.x - tx * half), static_cast<float>(element.y - ty * half)},
             FloatPoint{static_cast<float>(element.x + tx * half), static_cast<float>(element.y + ty * half)}});
    // A window of covered bins starts below two turns and spans at most one.
    directions.clear();
    const size_t count = bins > 0 ? 2 * static_cast<size_t>(bins) + 2 : 0;
    for (size_t u = 0; u < count; ++u) {
        const double psi = (static_cast<int32_t>(u) + 0.5) * 2 * kPi / bins;
        const double c = std::cos(psi), sn = std::sin(psi);
        directions.push_back({c * tx + sn * ty, -sn * tx + c * ty});
    }
}

template <class Visit>
void TObjektSpiegel::VisitSeen(SeenElements& seen, int32_t px, int32_t py, Visit& visit) const {
    const auto tx = static_cast<float>(int64_t{x2} - x1);
    const auto ty = static_cast<float>(int64_t{y2} - y1);
    std::array<BinWindow, SeenElements::kRoom> windows;
    for (size_t k = 0; k < seen.count; ++k) {
        const size_t i = seen.elements[k];
        windows[k] = CoveredBinWindow(static_cast<int32_t>(elements.Elements()[i].dirrad.size()),
                                      static_cast<float>(px), static_cast<float>(py), ends[i][0], ends[i][1], tx, ty);
    }
    for (size_t k = 0; k < seen.count; ++k) visit(seen.elements[k], windows[k]);
    seen.count = 0;
}

template <class Visit>
void TObjektSpiegel::AddSeen(SeenElements& seen, size_t i, int32_t px, int32_t py, Visit& visit) const {
    seen.elements[seen.count++] = i;
    if (seen.count == SeenElements::kRoom) VisitSeen(seen, px, py, visit);
}

template <FanOrder order, class Visit>
void TObjektSpiegel::ForEachElementSeeing(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                          Visit&& visit) const {
    SeenElements seen;
    list.ForEachFan<order>(run, {px, py}, number, exclude,
                           [&](size_t first, size_t last, const OcclusionIndex::Candidates& occluders) {
                               for (size_t k = first; k <= last; ++k) {
                                   const size_t i = InFanOrder<order>(k, first, last);
                                   if (!occluders.Blocks(run.points[i].x, run.points[i].y, px, py))
                                       AddSeen(seen, i, px, py, visit);
                               }
                           });
    VisitSeen(seen, px, py, visit);
}

bool TObjektSpiegel::FlowDensityAt(int32_t px, int32_t py, const SceneList& list, float& fx, float& fy,
                                   int32_t exclude) const {
    fx = 0;
    fy = 0;
    // Each element's radiation summed first; an element sending nothing adds
    // +0, which changes no sum.
    ForEachElementSeeing(px, py, list, exclude, [&](size_t i, BinWindow window) {
        float sx = 0, sy = 0;
        auto add = [&](float vx, float vy, double) {
            sx += vx;
            sy += vy;
        };
        ForEachRadiationOfElement(i, px, py, window, add, add);
        fx += sx;
        fy += sy;
    });
    return fx != 0 || fy != 0;
}

void TObjektSpiegel::PrependContributionsOfElement(size_t i, int32_t px, int32_t py, BinWindow window,
                                                   FlowVectorList& result) const {
    auto diffuse = [&](float vx, float vy, double k) {
        if (k > 0) result.Prepend({vx, vy});
    };
    auto directed = [&](float vx, float vy, double value) {
        if (value != 0) result.Prepend({vx, vy});
    };
    ForEachRadiationOfElement(i, px, py, window, diffuse, directed);
}

void TObjektSpiegel::FlowContributionsAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                         FlowVectorList& result) const {
    ForEachElementSeeing(px, py, list, exclude,
                         [&](size_t i, BinWindow window) { PrependContributionsOfElement(i, px, py, window, result); });
}

void TObjektSpiegel::FlowContributionsSeenAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude,
                                             FlowVectorList& result, SightRecord& sight) const {
    auto prepend = [&](size_t i, BinWindow window) { PrependContributionsOfElement(i, px, py, window, result); };
    if (sight.recorded) {
        // In ascending order, as the fans visit them.
        SeenElements seen;
        for (size_t word = 0; word < sight.bits.size(); ++word)
            for (uint64_t bits = sight.bits[word]; bits != 0; bits &= bits - 1)
                AddSeen(seen, word * 64 + static_cast<size_t>(std::countr_zero(bits)), px, py, prepend);
        VisitSeen(seen, px, py, prepend);
        return;
    }
    ForEachElementSeeing(px, py, list, exclude, [&](size_t i, BinWindow window) {
        sight.bits[i / 64] |= uint64_t{1} << (i % 64);
        prepend(i, window);
    });
}

float TObjektSpiegel::AddEnergyDensity(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float energy,
                                       FlowVectorList& scratch) const {
    ForEachElementSeeing<FanOrder::Backwards>(px, py, list, exclude, [&](size_t i, BinWindow window) {
        scratch.clear();
        PrependContributionsOfElement(i, px, py, window, scratch);
        energy = AddMagnitudes(energy, scratch);
    });
    return energy;
}

bool TObjektSpiegel::FlowAt(int32_t px, int32_t py, const SceneList& list, int32_t exclude, float& fx, float& fy,
                            FlowVectorList& contributions) const {
    fx = 0;
    fy = 0;
    ForEachElementSeeing(px, py, list, exclude, [&](size_t i, BinWindow window) {
        float sx = 0, sy = 0;
        auto diffuse = [&](float vx, float vy, double k) {
            sx += vx;
            sy += vy;
            if (k > 0) contributions.Prepend({vx, vy});
        };
        auto directed = [&](float vx, float vy, double value) {
            sx += vx;
            sy += vy;
            if (value != 0) contributions.Prepend({vx, vy});
        };
        ForEachRadiationOfElement(i, px, py, window, diffuse, directed);
        fx += sx;
        fy += sy;
    });
    return fx != 0 || fy != 0;
}

void TObjektSpiegel::AddStreamLineStarts(StreamLineStarts& starts, const SceneList& list, float fluxPerLine,
                                         const StopCheck& stop) const {
    // Only what passes through the mirror starts lines; its own field counts.
    if (dirtrans > 0 || diftrans > 0)
        AddStreamLineStartsAlongSegment(*this, surface, starts, list, fluxPerLine, 0, true, stop);
}

std::string TObjektSpiegel::Summary() const {
    return TObjektGerade::Summary() + "   " + MirrorCoefficientSummary(dirref, dirtrans, difref, diftrans);
}

KindForm<TObjektSpiegel>& TObjektSpiegel::Form() {
    static KindForm<TObjektSpiegel> form = [] {
        using platform::Control;
        KindForm<TObjektSpiegel> made{FieldTable<TObjektSpiegel>(
            {CoordinateFields<TObjektSpiegel>(":"), MirrorCoefficientFields<TObjektSpiegel>("Diffuse reflectivity")})};
        std::vector<Control> controls = MirrorCoefficientControls(made.fields);
        controls.push_back(ColourCombo());
        controls.push_back(Control::Label("Coordinates"));
        for (Control& coordinate : CoordinateControls(made.fields)) controls.push_back(std::move(coordinate));
        made.dialog = KindDialog("Mirror / Diffusor ", std::move(controls));
        made.conversion = platform::FieldReader::Conversion::Lenient;
        made.requireTogether = [](const TObjektSpiegel& mirror, platform::FieldReader& fields,
                                  const Tprgvar& settings) {
            RequireMirrorCoefficients(mirror, fields);
            mirror.RequireOnScreen(fields, settings, "All points must be on the screen.");
        };
        made.problemTogether = [](const TObjektSpiegel& mirror) {
            return MirrorCoefficientProblem(mirror.dirref, mirror.dirtrans, mirror.difref, mirror.diftrans);
        };
        return made;
    }();
    return form;
}

}  // namespace brevanto::objects
