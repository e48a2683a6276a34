// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/EnergyBalance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>
#include <stdexcept>
#include <utility>

#include "model/Geometry.h"
#include "model/ParallelFor.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "objects/StraightSurface.h"
#include "radiation/ArcElements.h"
#include "radiation/SurfaceElements.h"

namespace {

// A point where power is counted: the light arriving there crosses a piece of
// line `length` pixels long; (dx, dy) is the unit vector along which it
// counts.
struct Probe {
    int32_t x;
    int32_t y;
    double dx;
    double dy;
    double length;
};

// Whose light a probe counts and how.
struct ProbeRule {
    int32_t skip;     // the object whose own light does not count (0: none)
    int32_t exclude;  // the object that does not block (0: none)
    bool bothWays;    // |v.d| (a straight surface, hit from either side), else only v.d > 0
};

// The power that reaches the probes: the sum over every contribution v of
// v.d (or |v.d|) times the probe's length, a midpoint rule over the surface.
double PowerThrough(const std::vector<Probe>& probes, const ProbeRule& rule, const SceneList& list,
                    const StopCheck& stop) {
    std::vector<double> power(probes.size());
    ParallelFor(
        static_cast<int64_t>(probes.size()),
        [&](int64_t i) {
            const Probe& probe = probes[static_cast<size_t>(i)];
            FlowVectorList incoming;
            double flux = 0;
            for (const auto& object : list) {
                if (object->number == rule.skip) continue;
                incoming.clear();
                object->FlowContributionsAt(probe.x, probe.y, list, rule.exclude, incoming);
                for (const FlowVector& v : incoming) {
                    const double along = probe.dx * v.fx + probe.dy * v.fy;
                    flux += rule.bothWays ? std::fabs(along) : std::max<double>(0, along);
                }
            }
            power[static_cast<size_t>(i)] = flux * probe.length;
        },
        stop);
    return std::accumulate(power.begin(), power.end(), double{0});
}

// Probes are set only inside the picture: the frame blocks every path with
// an end outside it, so nothing arrives out there. The elements whose probes
// may lie inside are found without visiting the others, so a surface from a
// file, up to 2^32 pixels long, costs what its part in the picture costs.

// A straight object receives as the straight mirror/diffusor gathers: at the
// centre of each of its elements, from every other object, itself not
// blocking, through both faces. StraightSurface keeps the elements near the
// picture.
std::vector<Probe> StraightProbes(const TObjektGerade& object, const Tprgvar& settings) {
    const float length = object.Length();
    if (length == 0) return {};
    StraightSurface surface;
    surface.Prepare(object, settings);
    const double nx = (static_cast<double>(object.y2) - object.y1) / length;
    const double ny = (static_cast<double>(object.x1) - object.x2) / length;
    std::vector<Probe> probes;
    for (const SightPoint& centre : surface.run.points)
        if (!IsOffScreen(centre.x, centre.y, settings))
            probes.push_back({centre.x, centre.y, nx, ny, surface.elementLength});
    return probes;
}

// One angle range of a circle cut into `count` elements.
struct ArcCut {
    AngleRange range;
    int32_t count;
    float elementLength;
};

// The circle's ranges cut as its kind cuts them: the circular mirror as it
// is, the others with at least one element per range, as the circular
// emitter. Only circles far larger than any picture would have more than
// 2^31 - 1 elements in a range; they keep that many.
std::vector<ArcCut> CutsOf(const TObjektKreis& circle, const Tprgvar& settings) {
    const int32_t extraElements = dynamic_cast<const TObjektSpiegelKreis*>(&circle) ? 0 : 1;
    std::vector<ArcCut> cuts;
    for (const AngleRange& range : circle.Ranges()) {
        const auto count = static_cast<int32_t>(std::min<double>(
            ArcRangeElementCount(circle, range, settings.sellaenge, settings.richtungprosel, extraElements),
            std::numeric_limits<int32_t>::max()));
        if (count > 0) cuts.push_back({range, count, ArcElementLength(range.Span(), circle.radius, count)});
    }
    return cuts;
}

struct IndexRange {
    int64_t first;
    int64_t end;  // one past the last
};

// The elements of `cut` whose centres lie within `margin` of the picture, in
// ascending, separate ranges of indices. The angles where the circle crosses
// the widened picture's edges part the range into arcs wholly inside or
// wholly outside it; an arc inside holds the elements i whose centre angle
// lo + (hi - lo)(i + 1/2)/n lies on it, widened by the rounding of that
// angle to a float (at most 2^-16 degrees below 360).
std::vector<IndexRange> ElementsNearPicture(const TObjektKreis& circle, const ArcCut& cut, double margin,
                                            const Tprgvar& settings) {
    const double lo = cut.range.lo, hi = cut.range.hi, radius = circle.radius;
    const double left = -margin, right = settings.breite + margin, top = -margin, bottom = settings.hoehe + margin;
    const auto inside = [&](double degrees) {
        const double x = circle.xmitte + radius * std::sin(degrees * kPi / 180);
        const double y = circle.ymitte - radius * std::cos(degrees * kPi / 180);
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (hi <= lo) return inside(lo) ? std::vector<IndexRange>{{0, cut.count}} : std::vector<IndexRange>{};
    std::vector<double> angles{lo, hi};
    const auto add = [&](double degrees) {
        if (degrees < 0) degrees += 360;
        if (lo < degrees && degrees < hi) angles.push_back(degrees);
    };
    // x = xmitte + r sin t meets a vertical edge, y = ymitte - r cos t a horizontal one.
    for (const double x : {left, right})
        if (const double sine = (x - circle.xmitte) / radius; std::fabs(sine) <= 1) {
            const double t = std::asin(sine) * 180 / kPi;
            add(t);
            add(180 - t);
        }
    for (const double y : {top, bottom})
        if (const double cosine = (circle.ymitte - y) / radius; std::fabs(cosine) <= 1) {
            const double t = std::acos(cosine) * 180 / kPi;
            add(t);
            add(360 - t);
        }
    std::sort(angles.begin(), angles.end());
    constexpr double kAngleRounding = 0x1p-15;
    const double n = cut.count, perDegree = n / (hi - lo);
    std::vector<IndexRange> near;
    for (size_t k = 0; k + 1 < angles.size(); ++k) {
        if (!inside((angles[k] + angles[k + 1]) / 2)) continue;
        const auto first =
            static_cast<int64_t>(std::max<double>(0, std::floor((angles[k] - kAngleRounding - lo) * perDegree - 0.5)));
        const auto end = static_cast<int64_t>(
            std::min<double>(n, std::ceil((angles[k + 1] + kAngleRounding - lo) * perDegree - 0.5) + 1));
        if (!near.empty() && first <= near.back().end)
            near.back().end = std::max(near.back().end, end);
        else if (first < end)
            near.push_back({first, end});
    }
    return near;
}

// Calls visit(element, elementLength) for the elements of the cuts, in
// order, whose centres or face probes may lie in the picture: within
// kFaceProbeOffset and half a pixel of rounding, and the error of the
// probe's offset rounded to floats (the normal and its product with the
// probe's radius, each about 2^-24 of the radius).
// A circle inside the picture has a few elements per pixel of its length,
// unless a file asks for millions of directions: then its probes would not
// fit into memory (2 probes of 40 bytes and their powers per element), and
// the balance is refused as the circular emitter refuses itself.
template <class Visit>
void ForEachElementNearPicture(const TObjektKreis& circle, const std::vector<ArcCut>& cuts, const Tprgvar& settings,
                               Visit&& visit) {
    const double margin = kFaceProbeOffset + 1 + (static_cast<double>(circle.radius) + kFaceProbeOffset) * 0x1p-21;
    std::vector<std::pair<const ArcCut*, IndexRange>> near;
    int64_t elements = 0;
    for (const ArcCut& cut : cuts)
        for (const IndexRange& range : ElementsNearPicture(circle, cut, margin, settings)) {
            near.emplace_back(&cut, range);
            elements += range.end - range.first;
        }
    constexpr auto kBytesPerElement = 2 * (sizeof(Probe) + sizeof(double));
    if (static_cast<double>(elements) * kBytesPerElement > kMostRadiationValues * sizeof(float))
        throw std::runtime_error(
            "The energy balance cannot be measured at this resolution of the calculation:\r"
            "the points where it counts the power on a circular object would not fit into memory.");
    for (const auto& [cut, range] : near)
        for (int64_t i = range.first; i < range.end; ++i)
            visit(ArcElementOf(circle, cut->range, static_cast<int32_t>(i), cut->count), cut->elementLength);
}

// A circular object receives as the circular mirror/diffusor gathers: a few
// pixels off each face of each element, what travels towards that face.
std::vector<Probe> CircleProbes(const TObjektKreis& circle, const Tprgvar& settings) {
    std::vector<Probe> probes;
    ForEachElementNearPicture(
        circle, CutsOf(circle, settings), settings, [&](const ArcElement& element, float elementLength) {
            for (const double sigma : {-1.0, 1.0}) {
                const double rho = FaceProbeRadius(circle.radius, sigma);
                const auto nx = static_cast<float>(element.normal.x * rho);
                const auto ny = static_cast<float>(element.normal.y * rho);
                const int32_t x = Round(circle.xmitte + static_cast<double>(nx));
                const int32_t y = Round(circle.ymitte + static_cast<double>(ny));
                if (!IsOffScreen(x, y, settings))
                    probes.push_back({x, y, -sigma * element.normal.x, -sigma * element.normal.y, elementLength});
            }
        });
    return probes;
}

// Where an object receives, and whose light counts there. A circular mirror
// counts its own light too, as it gathers it; an emitter's own light falling
// back on it is not received. The sun and the background radiation receive
// nothing: light reaching the frame leaves.
struct Receiver {
    std::vector<Probe> probes;
    ProbeRule rule;
};

Receiver ReceiverOf(const Tszeneobjekt& object, const Tprgvar& settings) {
    if (const auto* circle = dynamic_cast<const TObjektKreis*>(&object)) {
        const bool ownLightCounts = dynamic_cast<const TObjektSpiegelKreis*>(&object) != nullptr;
        return {CircleProbes(*circle, settings), {ownLightCounts ? 0 : circle->number, 0, false}};
    }
    if (const auto* straight = dynamic_cast<const TObjektGerade*>(&object))
        return {StraightProbes(*straight, settings), {object.number, object.number, true}};
    return {{}, {}};
}

// The frame's own elements, each on its edge, counting what travels outward.
std::vector<Probe> FrameProbes(const Tprgvar& settings) {
    struct Edge {
        int32_t length;
        double dx, dy;  // outward
        bool horizontal;
        int32_t at;  // the edge's y when horizontal, else its x
    };
    const Edge edges[] = {{settings.breite, 0, -1, true, 0},
                          {settings.hoehe, 1, 0, false, settings.breite},
                          {settings.breite, 0, 1, true, settings.hoehe},
                          {settings.hoehe, -1, 0, false, 0}};
    std::vector<Probe> probes;
    for (const Edge& edge : edges) {
        const int32_t count = StraightElementCount(static_cast<float>(edge.length), settings.sellaenge);
        const float elementLength = StraightElementLength(static_cast<float>(edge.length), count);
        for (int32_t i = 0; i < count; ++i) {
            const int32_t along = Round((i + 0.5) * elementLength);
            probes.push_back({edge.horizontal ? along : edge.at, edge.horizontal ? edge.at : along, edge.dx, edge.dy,
                              elementLength});
        }
    }
    return probes;
}

// The part of a straight object inside the picture, in pixels: the frame
// blocks every path that ends outside it, so only this part emits into the
// scene.
double LengthInsidePicture(const TObjektGerade& object, const Tprgvar& settings) {
    const auto [lo, hi] = StraightSurface::PartInPicture(object, settings, 0);
    return hi > lo ? (hi - lo) * object.Length() : 0;
}

// The share of a circular object's elements whose centres lie inside the
// picture, by length. Lengths are floats, so n of them sum exactly to n
// times one.
double ShareInsidePicture(const TObjektKreis& circle, const Tprgvar& settings) {
    const std::vector<ArcCut> cuts = CutsOf(circle, settings);
    double inside = 0, all = 0;
    for (const ArcCut& cut : cuts) all += cut.count * static_cast<double>(cut.elementLength);
    ForEachElementNearPicture(circle, cuts, settings, [&](const ArcElement& element, float elementLength) {
        if (!IsOffScreen(Round(element.centre.x), Round(element.centre.y), settings)) inside += elementLength;
    });
    return all > 0 ? inside / all : 0;
}

// Each face emits staerke per unit length, where it lies inside the picture.
// A straight emitter sends both faces into the scene; a circle's outer face
// all of its light, its inner face only what escapes through the gap of an
// arc: from a point of a circle the arc of central angle A takes A / 2 pi of
// the light (the view factor of an arc seen from its own circle), so the
// inner face gives 1 - A / 2 pi.
// The sun brings in what crosses the edges facing it; the background
// radiation what its glowing edges emit (with nuroben the top edge and the
// lower half of each side's light).
double EmittedPower(const Tszeneobjekt& object, const Tprgvar& settings) {
    const double width = settings.breite, height = settings.hoehe;
    if (const auto* emitter = dynamic_cast<const TObjektLambert*>(&object))
        return 2.0 * emitter->staerke * LengthInsidePicture(*emitter, settings);
    if (const auto* emitter = dynamic_cast<const TObjektParallel*>(&object))
        return 2.0 * emitter->staerke * LengthInsidePicture(*emitter, settings);
    if (const auto* emitter = dynamic_cast<const TObjektLambertKreis*>(&object)) {
        double covered = 0;
        for (const AngleRange& range : emitter->Ranges())
            covered += static_cast<double>(std::max<int64_t>(0, range.Span())) * kPi / 180;
        covered = std::min(covered, 2 * kPi);
        return emitter->staerke * emitter->radius * covered * (2 - covered / (2 * kPi)) *
               ShareInsidePicture(*emitter, settings);
    }
    if (const auto* sun = dynamic_cast<const TObjektSonne*>(&object)) {
        const double theta = kPi * sun->richtung / 180;
        return sun->staerke * (width * std::fabs(std::cos(theta)) + height * std::fabs(std::sin(theta)));
    }
    if (const auto* background = dynamic_cast<const TObjektHintergrund*>(&object))
        return background->staerke * (background->nuroben ? width + height : 2 * (width + height));
    return 0;
}

// A bin's directed radiation v leaves an element of length e with the power
// v e |sin psi|, psi being the bin's middle angle from the element's
// tangent: the element, seen across the bin's directions, shows the width
// e |sin psi|. The widths of an element of unit length, bin by bin:
std::vector<double> BinWidths(size_t bins) {
    std::vector<double> widths(bins);
    for (size_t j = 0; j < bins; ++j)
        widths[j] = std::fabs(std::sin((static_cast<double>(j) + 0.5) * 2 * kPi / static_cast<double>(bins)));
    return widths;
}

double DirectedPower(std::span<const float> bins, const std::vector<double>& widths, double elementLength) {
    double power = 0;
    for (size_t j = 0; j < bins.size(); ++j) power += bins[j] * widths[j];
    return power * elementLength;
}

// The part of `total` that belongs to coefficient `part` when `total` came
// from the two coefficients together.
double Share(double total, float part, float other) {
    const double sum = static_cast<double>(part) + other;
    return sum > 0 ? total * part / sum : 0;
}

struct Sent {
    double reflected = 0;
    double transmitted = 0;
};

// What a straight mirror/diffusor sends, from its element values. Its
// directed bins hold reflected and transmitted light together, split
// dirref : dirtrans as every arriving vector was; the diffuse exitances
// likewise difref : diftrans.
Sent SentBy(const TObjektSpiegel& mirror) {
    const MirrorElements& cache = mirror.Elements();
    const std::vector<double> widths = BinWidths(cache.Elements().empty() ? 0 : cache.Elements()[0].dirrad.size());
    double directed = 0, diffuse = 0;
    for (const TSelListe& element : cache.Elements()) {
        directed += DirectedPower(element.dirrad, widths, cache.elemlen);
        diffuse += (static_cast<double>(element.difplus) + element.difminus) * cache.elemlen;
    }
    return {Share(directed, mirror.dirref, mirror.dirtrans) + Share(diffuse, mirror.difref, mirror.diftrans),
            Share(directed, mirror.dirtrans, mirror.dirref) + Share(diffuse, mirror.diftrans, mirror.difref)};
}

// The circular mirror/diffusor keeps reflected and transmitted beams apart.
Sent SentBy(const TObjektSpiegelKreis& mirror) {
    const CircularMirrorElements& cache = mirror.Elements();
    Sent sent;
    double diffuse = 0;
    for (size_t k = 0; k < cache.Pieces().size(); ++k) {
        const ArcPiece& piece = cache.Pieces()[k];
        const ArcRadiation& radiation = cache.Radiation()[k];
        const std::vector<double> widths = BinWidths(static_cast<size_t>(radiation.bins));
        for (size_t i = 0; i < piece.elements.size(); ++i) {
            sent.reflected += DirectedPower(radiation.Reflected(i), widths, piece.elementLength);
            sent.transmitted += DirectedPower(radiation.Transmitted(i), widths, piece.elementLength);
            diffuse +=
                (static_cast<double>(radiation.difrad[2 * i]) + radiation.difrad[2 * i + 1]) * piece.elementLength;
        }
    }
    sent.reflected += Share(diffuse, mirror.difref, mirror.diftrans);
    sent.transmitted += Share(diffuse, mirror.diftrans, mirror.difref);
    return sent;
}

// A mirror's reflected and transmitted power from its element values, and
// how far they are from its coefficients times what it receives now.
template <class Mirror>
void CountSent(const Mirror& mirror, ObjectBalance& balance) {
    const Sent sent = SentBy(mirror);
    balance.reflected = sent.reflected;
    balance.transmitted = sent.transmitted;
    const double next = balance.received *
                        (static_cast<double>(mirror.dirref) + mirror.difref + mirror.dirtrans + mirror.diftrans) / 100;
    const double now = sent.reflected + sent.transmitted;
    balance.change = next != 0 ? std::fabs(now - next) / std::fabs(next) * 100 : (now != 0 ? 100 : 0);
}

ObjectBalance BalanceOfObject(const Tszeneobjekt& object, const SceneList& list, const Tprgvar& settings,
                              const StopCheck& stop) {
    ObjectBalance balance;
    balance.number = object.number;
    balance.kind = object.kind;
    balance.description = object.description;
    balance.emitted = EmittedPower(object, settings);
    const Receiver receiver = ReceiverOf(object, settings);
    balance.received = PowerThrough(receiver.probes, receiver.rule, list, stop);
    if (const auto* mirror = dynamic_cast<const TObjektSpiegelKreis*>(&object))
        CountSent(*mirror, balance);
    else if (const auto* straightMirror = dynamic_cast<const TObjektSpiegel*>(&object))
        CountSent(*straightMirror, balance);
    balance.absorbed = balance.received - balance.reflected - balance.transmitted;
    return balance;
}

}  // namespace

EnergyBalance BalanceOf(const SceneList& list, const Tprgvar& settings, const StopCheck& stop) {
    EnergyBalance balance;
    for (const auto& object : list) {
        if (stop) stop();
        balance.objects.push_back(BalanceOfObject(*object, list, settings, stop));
        const ObjectBalance& added = balance.objects.back();
        balance.emitted += added.emitted;
        balance.absorbed += added.absorbed;
        balance.largestChange = std::max(balance.largestChange, added.change.value_or(0));
    }
    balance.leaving = PowerThrough(FrameProbes(settings), {0, 0, false}, list, stop);
    if (balance.emitted != 0)
        balance.imbalance = (balance.emitted - balance.absorbed - balance.leaving) / balance.emitted * 100;
    balance.stopCriterion = settings.abbruchgenauigkeit;
    return balance;
}

double BalanceWork(const SceneList& list, const Tprgvar& settings) {
    settings.CheckResolution();
    auto probes = static_cast<double>(FrameProbes(settings).size());
    for (const auto& object : list) probes += static_cast<double>(ReceiverOf(*object, settings).probes.size());
    // Each probe asks every object for its contributions, also those that
    // send nothing: with thousands of absorbers that is most of the work.
    return probes * (list.QueryWork(settings) + static_cast<double>(list.size()));
}
