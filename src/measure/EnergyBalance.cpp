#include "measure/EnergyBalance.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "model/Hilfsfunktionen.h"
#include "model/ParallelFor.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "radiation/ArcElements.h"
#include "radiation/SurfaceElements.h"

namespace {

// A point where power is counted: the light arriving there crosses a piece of
// line `length` pixels long; (dx, dy) is the unit vector along which it
// counts.
struct Probe {
    int32_t x;
    int32_t y;
    Extended dx;
    Extended dy;
    Extended length;
};

// Whose light a probe counts and how.
struct ProbeRule {
    int32_t skip;     // the object whose own light does not count (0: none)
    int32_t exclude;  // the object that does not block (0: none)
    bool bothWays;    // |v.d| (a straight surface, hit from either side), else only v.d > 0
};

// The power that reaches the probes: the sum over every contribution v of
// v.d (or |v.d|) times the probe's length, a midpoint rule over the surface.
Extended PowerThrough(const std::vector<Probe>& probes, const ProbeRule& rule, const SceneList& list) {
    std::vector<Extended> power(probes.size());
    ParallelFor(static_cast<int64_t>(probes.size()), [&](int64_t i) {
        const Probe& probe = probes[static_cast<size_t>(i)];
        FlowVectorList incoming;
        Extended flux = 0;
        for (const auto& object : list) {
            if (object->number == rule.skip) continue;
            incoming.clear();
            object->FlowContributionsAt(probe.x, probe.y, list, rule.exclude, incoming);
            for (const FlowVector& v : incoming) {
                const Extended along = probe.dx * v.fx + probe.dy * v.fy;
                flux += rule.bothWays ? std::fabs(along) : std::max<Extended>(0, along);
            }
        }
        power[static_cast<size_t>(i)] = flux * probe.length;
    });
    return std::accumulate(power.begin(), power.end(), Extended{0});
}

// A straight object receives as the straight mirror/diffusor gathers: at the
// centre of each of its elements, from every other object, itself not
// blocking, through both faces.
Extended StraightInflux(const TObjektGerade& object, const SceneList& list, int32_t sellaenge) {
    const float length = object.Length();
    if (length == 0) return 0;
    const int32_t count = StraightElementCount(length, sellaenge);
    const Extended elementLength = StraightElementLength(length, count);
    const Extended nx = (static_cast<Extended>(object.y2) - object.y1) / length;
    const Extended ny = (static_cast<Extended>(object.x1) - object.x2) / length;
    std::vector<Probe> probes;
    for (int32_t i = 0; i < count; ++i) {
        const FloatPoint centre = StraightElementCentre(object.x1, object.y1, object.x2, object.y2, i, count);
        probes.push_back({Round(centre.x), Round(centre.y), nx, ny, elementLength});
    }
    return PowerThrough(probes, {object.number, object.number, true}, list);
}

// A circular object receives as the circular mirror/diffusor gathers: a few
// pixels off each face of each element, what travels towards that face. A
// mirror counts its own light too, as it gathers it; an emitter's own light
// falling back on it is not received.
Extended CircleInflux(const TObjektKreis& circle, const std::vector<ArcPiece>& pieces, bool ownLightCounts,
                      const SceneList& list) {
    std::vector<Probe> probes;
    for (const ArcPiece& piece : pieces)
        for (const ArcElement& element : piece.elements)
            for (const Extended sigma : {-1.0, 1.0}) {
                const Extended rho = FaceProbeRadius(circle.radius, sigma);
                const auto nx = static_cast<float>(element.normal.x * rho);
                const auto ny = static_cast<float>(element.normal.y * rho);
                probes.push_back({Round(circle.xmitte + static_cast<Extended>(nx)),
                                  Round(circle.ymitte + static_cast<Extended>(ny)), -sigma * element.normal.x,
                                  -sigma * element.normal.y, piece.elementLength});
            }
    return PowerThrough(probes, {ownLightCounts ? 0 : circle.number, 0, false}, list);
}

// The frame's own elements, each on its edge, counting what travels outward.
Extended LeavingThroughFrame(const SceneList& list, const Tprgvar& settings) {
    struct Edge {
        int32_t length;
        Extended dx, dy;  // outward
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
    return PowerThrough(probes, {0, 0, false}, list);
}

// The part of a straight object inside the picture, in pixels: the frame
// blocks every path that ends outside it, so only this part emits into the
// scene. The segment is clipped against each side in turn.
Extended LengthInsidePicture(const TObjektGerade& object, const Tprgvar& settings) {
    const Extended dx = static_cast<Extended>(object.x2) - object.x1, dy = static_cast<Extended>(object.y2) - object.y1;
    Extended from = 0, to = 1;
    // Each side as p t <= q for the point x1 + t dx, y1 + t dy.
    const Extended sides[4][2] = {{-dx, static_cast<Extended>(object.x1)},
                                  {dx, static_cast<Extended>(settings.breite) - object.x1},
                                  {-dy, static_cast<Extended>(object.y1)},
                                  {dy, static_cast<Extended>(settings.hoehe) - object.y1}};
    for (const auto& [p, q] : sides) {
        if (p == 0) {
            if (q < 0) return 0;
        } else if (p < 0) {
            from = std::max(from, q / p);
        } else {
            to = std::min(to, q / p);
        }
    }
    return to > from ? (to - from) * std::sqrt(dx * dx + dy * dy) : 0;
}

// The share of a circular object's elements whose centres lie inside the
// picture, by length.
Extended ShareInsidePicture(const TObjektKreis& circle, const Tprgvar& settings) {
    const ArcCutRule rule{1, 0, ""};
    Extended inside = 0, all = 0;
    for (const ArcPiece& piece : CutArc(circle, circle.Ranges(), settings.sellaenge, settings.richtungprosel, rule))
        for (const ArcElement& element : piece.elements) {
            all += piece.elementLength;
            if (!IsOffScreen(Round(element.centre.x), Round(element.centre.y), settings)) inside += piece.elementLength;
        }
    return all > 0 ? inside / all : 0;
}

// Each face emits staerke per unit length, where it lies inside the picture.
// A straight emitter sends both faces into the scene; a circle's outer face
// all of its light, its inner face only what escapes through the gap of an
// arc: from a point of a circle
// the arc of central angle A takes A / 2 pi of the light (the view factor of
// an arc seen from its own circle), so the inner face gives 1 - A / 2 pi.
// The sun brings in what crosses the edges facing it; the background
// radiation what its glowing edges emit (with nuroben the top edge and the
// lower half of each side's light).
Extended EmittedPower(const Tszeneobjekt& object, const Tprgvar& settings) {
    const Extended width = settings.breite, height = settings.hoehe;
    if (const auto* emitter = dynamic_cast<const TObjektLambert*>(&object))
        return 2.0 * emitter->staerke * LengthInsidePicture(*emitter, settings);
    if (const auto* emitter = dynamic_cast<const TObjektParallel*>(&object))
        return 2.0 * emitter->staerke * LengthInsidePicture(*emitter, settings);
    if (const auto* emitter = dynamic_cast<const TObjektLambertKreis*>(&object)) {
        Extended covered = 0;
        for (const AngleRange& range : emitter->Ranges())
            covered += static_cast<Extended>(std::max<int64_t>(0, range.Span())) * kPi / 180;
        covered = std::min(covered, 2 * kPi);
        return emitter->staerke * emitter->radius * covered * (2 - covered / (2 * kPi)) *
               ShareInsidePicture(*emitter, settings);
    }
    if (const auto* sun = dynamic_cast<const TObjektSonne*>(&object)) {
        const Extended theta = kPi * sun->richtung / 180;
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
std::vector<Extended> BinWidths(size_t bins) {
    std::vector<Extended> widths(bins);
    for (size_t j = 0; j < bins; ++j)
        widths[j] = std::fabs(std::sin((static_cast<Extended>(j) + 0.5) * 2 * kPi / static_cast<Extended>(bins)));
    return widths;
}

Extended DirectedPower(std::span<const float> bins, const std::vector<Extended>& widths, Extended elementLength) {
    Extended power = 0;
    for (size_t j = 0; j < bins.size(); ++j) power += bins[j] * widths[j];
    return power * elementLength;
}

// The part of `total` that belongs to coefficient `part` when `total` came
// from the two coefficients together.
Extended Share(Extended total, float part, float other) {
    const Extended sum = static_cast<Extended>(part) + other;
    return sum > 0 ? total * part / sum : 0;
}

struct Sent {
    Extended reflected = 0;
    Extended transmitted = 0;
};

// What a straight mirror/diffusor sends, from its element values. Its
// directed bins hold reflected and transmitted light together, split
// dirref : dirtrans as every arriving vector was; the diffuse exitances
// likewise difref : diftrans.
Sent SentBy(const TObjektSpiegel& mirror) {
    const MirrorElements& cache = mirror.Elements();
    const std::vector<Extended> widths = BinWidths(cache.Elements().empty() ? 0 : cache.Elements()[0].dirrad.size());
    Extended directed = 0, diffuse = 0;
    for (const TSelListe& element : cache.Elements()) {
        directed += DirectedPower(element.dirrad, widths, cache.elemlen);
        diffuse += (static_cast<Extended>(element.difplus) + element.difminus) * cache.elemlen;
    }
    return {Share(directed, mirror.dirref, mirror.dirtrans) + Share(diffuse, mirror.difref, mirror.diftrans),
            Share(directed, mirror.dirtrans, mirror.dirref) + Share(diffuse, mirror.diftrans, mirror.difref)};
}

// The circular mirror/diffusor keeps reflected and transmitted beams apart.
Sent SentBy(const TObjektSpiegelKreis& mirror) {
    const CircularMirrorElements& cache = mirror.Elements();
    Sent sent;
    Extended diffuse = 0;
    for (size_t k = 0; k < cache.Pieces().size(); ++k) {
        const ArcPiece& piece = cache.Pieces()[k];
        const ArcRadiation& radiation = cache.Radiation()[k];
        const std::vector<Extended> widths = BinWidths(static_cast<size_t>(radiation.bins));
        for (size_t i = 0; i < piece.elements.size(); ++i) {
            sent.reflected += DirectedPower(radiation.Reflected(i), widths, piece.elementLength);
            sent.transmitted += DirectedPower(radiation.Transmitted(i), widths, piece.elementLength);
            diffuse +=
                (static_cast<Extended>(radiation.difrad[2 * i]) + radiation.difrad[2 * i + 1]) * piece.elementLength;
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
    const Extended next = balance.received *
                          (static_cast<Extended>(mirror.dirref) + mirror.difref + mirror.dirtrans + mirror.diftrans) /
                          100;
    const Extended now = sent.reflected + sent.transmitted;
    balance.change = next != 0 ? std::fabs(now - next) / std::fabs(next) * 100 : (now != 0 ? 100 : 0);
}

ObjectBalance BalanceOfObject(const Tszeneobjekt& object, const SceneList& list, const Tprgvar& settings) {
    ObjectBalance balance;
    balance.number = object.number;
    balance.kind = object.kind;
    balance.description = object.description;
    balance.emitted = EmittedPower(object, settings);
    if (const auto* mirror = dynamic_cast<const TObjektSpiegelKreis*>(&object)) {
        balance.received = CircleInflux(*mirror, mirror->Elements().Pieces(), true, list);
        CountSent(*mirror, balance);
    } else if (const auto* circle = dynamic_cast<const TObjektKreis*>(&object)) {
        // At least one element per range, as the circular emitter cuts itself.
        const ArcCutRule rule{1, 0, ""};
        balance.received = CircleInflux(
            *circle, CutArc(*circle, circle->Ranges(), settings.sellaenge, settings.richtungprosel, rule), false, list);
    } else if (const auto* straight = dynamic_cast<const TObjektGerade*>(&object)) {
        balance.received = StraightInflux(*straight, list, settings.sellaenge);
        if (const auto* mirror = dynamic_cast<const TObjektSpiegel*>(&object)) CountSent(*mirror, balance);
    }
    balance.absorbed = balance.received - balance.reflected - balance.transmitted;
    return balance;
}

}  // namespace

EnergyBalance BalanceOf(const SceneList& list, const Tprgvar& settings) {
    EnergyBalance balance;
    for (const auto& object : list) {
        balance.objects.push_back(BalanceOfObject(*object, list, settings));
        const ObjectBalance& added = balance.objects.back();
        balance.emitted += added.emitted;
        balance.absorbed += added.absorbed;
        balance.largestChange = std::max(balance.largestChange, added.change.value_or(0));
    }
    balance.leaving = LeavingThroughFrame(list, settings);
    if (balance.emitted != 0)
        balance.imbalance = (balance.emitted - balance.absorbed - balance.leaving) / balance.emitted * 100;
    balance.stopCriterion = settings.abbruchgenauigkeit;
    return balance;
}
