// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "display/StreamLines.h"
#include "model/Settings.h"

namespace brevanto::model {
class SceneList;
}

namespace brevanto::ui {

// What the time estimates learn from a copy of the scene, which they may
// compute and query without touching the scene itself.
struct SceneSample {
    // The seconds one unit of SceneList::QueryWork takes here on all
    // threads, timed on queries at points spread over the picture.
    double secondsPerQueryWork = 0;
    // The passes Calculate takes, counted on the copy at a coarser
    // resolution: what decides them, the geometry and the coefficients,
    // stays. maximaleiterationen when the copy does not converge within
    // its time.
    int32_t passes = 1;
    // The seconds one unit of CalculationWork took in the copy's passes.
    double secondsPerPassWork = 0;
    // The stream lines of the computed copy.
    display::TLinien::LineSample lines;

    // The seconds Calculate is estimated to take for the scene with these
    // settings (none while berechnet is set), and those of `work` units of
    // SceneList::QueryWork.
    double CalculationSeconds(const model::SceneList& list, const model::Tprgvar& settings) const;
    double QuerySeconds(double work) const { return work * secondsPerQueryWork; }
};

// Reads the copy from `sceneText` (a scene file) and samples it with the
// settings and the stream lines' parameters given. Takes a small part of a
// second; throws only for settings that Calculate refuses.
SceneSample SampleScene(const std::string& sceneText, const model::Tprgvar& settings,
                        const display::TLinien& streamLines);

}  // namespace brevanto::ui
