// SPDX-License-Identifier: GPL-3.0-or-later
#include "EstimateComparison.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "model/ParallelFor.h"

#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::ui;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Work {
    const char* name;
    DisplayKind display;
};

// The window's own steps: the estimate (its sample's time shown apart), then
// the display shown as the menu shows it.
void PrintRow(const std::string& scene, const Work& work) {
    StandardScene opened(scene, 4096, 4096);
    MainWindow& form = opened.form;
    opened.headless.unscriptedAnswer = true;
    const Clock::time_point sampling = Clock::now();
    const double estimate = form.EstimatedSeconds(form.DisplayWork(work.display));
    const double sampled = SecondsSince(sampling);
    const Clock::time_point start = Clock::now();
    form.ShowDisplay(work.display);
    const double taken = SecondsSince(start);
    std::printf("| %s | %s | %.3f | %.3f | %.2f | %.3f |\n", std::filesystem::path(scene).filename().string().c_str(),
                work.name, estimate, taken, estimate / taken, sampled);
    std::fflush(stdout);
}

}  // namespace

void PrintEstimateComparisons(const std::vector<std::string>& scenes) {
    std::printf("\nEstimates against the time taken, %d threads\n\n", ThreadCount());
    std::printf("| scene | work | estimate s | taken s | estimate / taken | sample s |\n|---|---|---|---|---|---|\n");
    for (const std::string& scene : scenes)
        for (const Work& work : {Work{"computation", DisplayKind::None}, Work{"arrows", DisplayKind::Arrows},
                                 Work{"stream lines", DisplayKind::StreamLines}, Work{"circles", DisplayKind::Circles}})
            PrintRow(scene, work);
}
