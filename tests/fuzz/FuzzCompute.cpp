// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as a scene file, opened in a headless main window on
// a 96 x 96 screen, computed and probed. Work and memory are capped: a
// scene estimated to take longer than kMostSeconds or to keep more than
// kMostValues radiation values is not computed (the window would ask first),
// and a deadline stops whatever the estimate missed. Every outcome is a
// result or a message; a field value that is not finite is a finding unless
// the file holds values that no dialog takes.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "FuzzScene.h"
#include "model/ParallelFor.h"
#include "platform/Errors.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::ui;

namespace {
constexpr double kMostSeconds = 0.05;
constexpr int64_t kMostValues = 2'000'000;
constexpr auto kDeadline = std::chrono::seconds(2);
constexpr int32_t kProbes[][2] = {{0, 0}, {40, 70}, {95, 95}};

bool AllValuesAccepted(const MainWindow& form) {
    return std::all_of(form.Scene().begin(), form.Scene().end(),
                       [](const auto& object) { return object->ValueProblem().empty(); });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetThreadCount(1);
    FuzzedScene scene(data, size, 96);
    scene.CheckConsistent();
    if (scene.form.SceneFile().empty()) return 0;  // not loaded whole: the loader target's part

    MainWindow& form = scene.form;
    platform::ReportingErrors(scene.headless, [&] {
        const double probeWork = 2 * std::size(kProbes) * form.Scene().QueryWork(form.Settings());
        // The memory first: the estimate computes a copy of the scene.
        if (form.Scene().StoredValues(form.Settings()) > kMostValues || form.EstimatedSeconds(probeWork) > kMostSeconds)
            return;
        scene.headless.deadline = std::chrono::steady_clock::now() + kDeadline;
        if (!form.PrepareScene(probeWork)) return;
        for (const auto& [x, y] : kProbes) {
            const FlowSum flow = form.Scene().FlowDensitySum(x, y);
            const float energy = form.Scene().EnergyDensityAt(x, y);
            // Only values that no dialog takes can take the field beyond the floats.
            if ((!std::isfinite(flow.x) || !std::isfinite(flow.y) || !std::isfinite(energy)) && AllValuesAccepted(form))
                std::abort();
        }
    });
    scene.CheckConsistent();
    return 0;
}
