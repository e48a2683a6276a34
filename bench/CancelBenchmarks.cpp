// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a computation answers its Cancel button: the standard scene at
// pixel width 2 (two and a half times the surface elements of the default
// 5), cancelled after the milliseconds of the benchmark's argument. The window
// lets its events through only where the computation asks whether it is
// cancelled, so the longest gap between two such questions is how long the
// window may stay without repainting; the time from the cancel to the
// return is how long the Cancel button takes to answer. Both must stay below
// 200 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::radiation;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs `work` on the scene with a Cancel pressed after state.range(0) ms.
template <class Work>
void MeasureCancel(benchmark::State& state, bool calculateFirst, Work work) {
    StandardScene scene;
    scene.settings.sellaenge = 2;
    if (calculateFirst) Calculate(scene.form.Scene(), scene.form.Settings(), scene.window, scene.headless.Progress());
    const std::chrono::milliseconds cancelAfter{state.range(0)};
    double longestGap = 0, answer = 0;
    for (auto _ : state) {
        scene.form.Settings().berechnet = false;
        const Clock::time_point start = Clock::now();
        Clock::time_point lastAsked = start;
        std::optional<Clock::time_point> cancelled;
        scene.headless.cancelWhen = [&] {
            const Clock::time_point now = Clock::now();
            longestGap = std::max(longestGap, Milliseconds(now - lastAsked));
            lastAsked = now;
            if (!cancelled && now - start >= cancelAfter) cancelled = now;
            return cancelled.has_value();
        };
        try {
            work(scene);
        } catch (const platform::Stopped&) {}
        if (cancelled) answer = std::max(answer, Milliseconds(Clock::now() - *cancelled));
        scene.headless.cancelWhen = nullptr;
    }
    state.counters["longest_gap_ms"] = longestGap;
    state.counters["cancel_answered_ms"] = answer;
}

void CancelArrows(benchmark::State& state) {
    MeasureCancel(state, true, [](StandardScene& scene) {
        scene.form.Scene().PrepareQueries(scene.form.Settings());
        scene.form.DisplaySettings().vektorpfeile.Draw(scene.form.Scene(), scene.form.Settings(),
                                                       scene.window.GetCanvas(), scene.headless);
    });
}

void CancelStreamLines(benchmark::State& state) {
    MeasureCancel(state, true, [](StandardScene& scene) {
        platform::RasterBitmap picture(1920, 1080);
        scene.form.Scene().PrepareQueries(scene.form.Settings());
        scene.form.DisplaySettings().linien.Draw(scene.form.Scene(), scene.form.Settings(), picture,
                                                 scene.window.GetCanvas(), scene.headless);
    });
}

void CancelCalculate(benchmark::State& state) {
    MeasureCancel(state, false, [](StandardScene& scene) {
        scene.form.Settings().abbruchgenauigkeit = 0;  // passes until cancelled
        scene.form.Settings().maximaleiterationen = 1000;
        Calculate(scene.form.Scene(), scene.form.Settings(), scene.window, scene.headless.Progress());
    });
}

BENCHMARK(CancelArrows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Arg(50)->Arg(300)->Arg(1000);
BENCHMARK(CancelStreamLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Arg(50)->Arg(300)->Arg(1000);
BENCHMARK(CancelCalculate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Arg(50)->Arg(300)->Arg(1000);

}  // namespace
