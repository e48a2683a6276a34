// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/EnergyBalance.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "model/ParallelFor.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::measure {

using namespace model;
using namespace radiation;

namespace {

// The power that reaches the probes: the sum over every contribution v of
// v.d (or |v.d|) times the probe's length, a midpoint rule over the surface.
double PowerThrough(const std::vector<PowerProbe>& probes, const ProbeRule& rule, const SceneList& list,
                    const StopCheck& stop) {
    std::vector<double> power(probes.size());
    ParallelFor(
        static_cast<int64_t>(probes.size()),
        [&](int64_t i) {
            const PowerProbe& probe = probes[static_cast<size_t>(i)];
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

// The frame's own elements, each on its edge, counting what travels outward.
std::vector<PowerProbe> FrameProbes(const Tprgvar& settings) {
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
    std::vector<PowerProbe> probes;
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

// A mirror's reflected and transmitted power from its element values, and
// how far they are from its coefficients times what it receives now.
void CountSent(const SentLight& sent, ObjectBalance& balance) {
    balance.reflected = sent.reflected;
    balance.transmitted = sent.transmitted;
    const double next = balance.received * sent.passedPercent / 100;
    const double now = sent.reflected + sent.transmitted;
    balance.change = next != 0 ? std::fabs(now - next) / std::fabs(next) * 100 : (now != 0 ? 100 : 0);
}

// Each kind tells what it emits, where it receives and what it sends on.
ObjectBalance BalanceOfObject(const Tszeneobjekt& object, const SceneList& list, const Tprgvar& settings,
                              const StopCheck& stop) {
    ObjectBalance balance;
    balance.number = object.number;
    balance.kind = object.kind;
    balance.description = object.description;
    balance.emitted = object.EmittedPower(settings);
    const ReceivingSurface surface = object.ReceivingProbes(settings);
    balance.received = PowerThrough(surface.probes, surface.rule, list, stop);
    if (const std::optional<SentLight> sent = object.SentPower()) CountSent(*sent, balance);
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
    for (const auto& object : list) probes += static_cast<double>(object->ReceivingProbes(settings).probes.size());
    // Each probe asks every object for its contributions, also those that
    // send nothing: with thousands of absorbers that is most of the work.
    return probes * (list.QueryWork(settings) + static_cast<double>(list.size()));
}

}  // namespace brevanto::measure
