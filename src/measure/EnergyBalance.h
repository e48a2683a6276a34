// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "model/Settings.h"

namespace brevanto::measure {

// Where the power of a computed scene goes. Powers are energy flow densities
// times lengths (flow density S times pixels). docs/MEASURING.md tells how
// each number is measured.

// One object's share.
struct ObjectBalance {
    int32_t number = 0;
    std::string kind;  // its kind keyword, "rahmen" for the background radiation
    std::string description;
    double emitted = 0;      // what its own light carries into the scene
    double received = 0;     // what the others' light brings to its surface, both faces
    double reflected = 0;    // what a mirror/diffusor sends back to the side it came from
    double transmitted = 0;  // what a mirror/diffusor sends through to its other side
    double absorbed = 0;     // received - reflected - transmitted
    // A mirror/diffusor only: how far, in percent, what it sends differs
    // from what one more pass would make it send (its coefficients times
    // what it receives now).
    std::optional<double> change;
};

struct EnergyBalance {
    std::vector<ObjectBalance> objects;  // in list order
    double emitted = 0;                  // all objects together
    double absorbed = 0;
    double leaving = 0;  // what crosses the picture frame outward
    // (emitted - absorbed - leaving) in percent of emitted; 0 without light.
    double imbalance = 0;
    double largestChange = 0;  // the largest change of a mirror/diffusor, percent
    double stopCriterion = 0;  // abbruchgenauigkeit, percent
};

// The balance of the scene as computed. Its radiation must be computed and
// its queries prepared for these settings. Sums run in a fixed order, so the
// numbers do not depend on the number of threads. `stop` is asked between
// the objects and between the points where power is counted. Only points
// inside the picture count, at most a few per pixel of a surface there.
EnergyBalance BalanceOf(const model::SceneList& list, const model::Tprgvar& settings,
                        const model::StopCheck& stop = {});

// The work of BalanceOf in the units of SceneList::QueryWork: at each point
// where power is counted, one query and a unit per object. Needs no computed
// radiation.
double BalanceWork(const model::SceneList& list, const model::Tprgvar& settings);

}  // namespace brevanto::measure
