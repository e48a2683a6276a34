// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "model/SceneList.h"
#include "model/Settings.h"

namespace brevanto::platform {
class ProgressWindow;
class Window;
}  // namespace brevanto::platform

namespace brevanto::radiation {

// "st", "nd", "rd" or "th" for the k-th pass (11th, 12th and 13th take "th").
std::string OrdinalSuffix(int32_t k);

// What a computation did: the passes it ran, and whether it stopped because
// nothing changed beyond the stop criterion any more (not at its pass limit).
struct CalculationResult {
    int32_t passes = 0;
    bool converged = true;
};

// Balances the radiation that the mirrors/diffusors exchange: passes over the
// whole list, every object's Iterate in list order, until no object reports a
// change beyond the stop criterion or maximaleiterationen passes have run (at
// least one). Does nothing while berechnet says the results are up to date;
// otherwise every object forgets the radiation of an earlier computation, so
// that the result depends on the scene alone, as for a scene loaded fresh,
// and not on what was computed before an edit. It then prepares the objects'
// queries and sets berechnet. The progress window and the main window's
// caption name the running pass. Throws, before showing anything, when the
// resolution settings are unusable; an error during a pass leaves berechnet
// clear and the radiation as it was.
CalculationResult Calculate(model::SceneList& list, model::Tprgvar& settings, platform::Window& mainWindow,
                            platform::ProgressWindow& progressWindow);

// The work Calculate will do in `passes` passes, in the units of
// SceneList::QueryWork: in every pass each element of each object that keeps
// radiation gathers what every object sends it. One pass when no object
// keeps radiation, and 0 while berechnet is set.
double CalculationWork(const model::SceneList& list, const model::Tprgvar& settings, int32_t passes);

// What to tell the user when a computation stopped at its pass limit while
// the radiation still changed: its results are shown, but not converged.
std::string NotConvergedNote(int32_t passes);

// When the settings let the iteration run on without a stop criterion
// (abbruchgenauigkeit 0 or less) for more passes than anyone waits for, what
// to tell the user: "... stops only after N passes ..."; empty otherwise.
std::string EndlessIterationNote(const model::SceneList& list, const model::Tprgvar& settings);

}  // namespace brevanto::radiation
