// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WorkEstimate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "files/SceneFile.h"
#include "model/ParallelFor.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/Calculation.h"

namespace brevanto::ui {

using namespace model;
using namespace radiation;
using namespace display;
using namespace files;

namespace {

using Clock = std::chrono::steady_clock;

// Long enough to time a few queries of a busy scene, short beside a question.
constexpr auto kQuerySample = std::chrono::milliseconds(20);
// What one pass of the coarse copy, with its stream-line starts, may take.
constexpr double kCoarsePassSeconds = 0.02;
// What all passes of the coarse copy may take.
constexpr double kPassesSeconds = 0.1;
constexpr auto kLineSample = std::chrono::milliseconds(30);
// The radiation values the copy may keep (100 MB) beside the scene's own.
constexpr int64_t kCopyValues = 25'000'000;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Queries at the points of an 8 x 8 lattice over the picture, side by side as
// the displays run them, each timed, until kQuerySample has passed. The
// median query, so that one that lost its core for a while counts no more
// than any other, spread over the threads as far as they were seen to run
// queries side by side: on a busy machine they take turns with other work.
double SecondsPerQueryWork(const SceneList& list, const Tprgvar& settings) {
    constexpr int64_t kSide = 8;
    struct Enough {};
    std::vector<double> seconds(kSide * kSide, -1);
    std::atomic<int> points{0};
    const Clock::time_point begun = Clock::now();
    try {
        ParallelFor(
            kSide * kSide,
            [&](int64_t i) {
                const int64_t k = i * 29 % (kSide * kSide);  // scattered: 29 is prime to 64
                const Clock::time_point start = Clock::now();
                list.FlowDensitySum(static_cast<int32_t>((2 * (k % kSide) + 1) * settings.breite / (2 * kSide)),
                                    static_cast<int32_t>((2 * (k / kSide) + 1) * settings.hoehe / (2 * kSide)));
                seconds[static_cast<size_t>(i)] = SecondsSince(start);
                ++points;
            },
            [&] {
                if (points > 0 && Clock::now() - begun >= kQuerySample) throw Enough{};
            });
    } catch (const Enough&) {}
    const double wall = SecondsSince(begun);
    std::erase(seconds, -1);
    double querying = 0;
    for (const double query : seconds) querying += query;
    const double sideBySide = std::clamp<double>(querying / wall, 1, ThreadCount());
    const auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
    std::nth_element(seconds.begin(), middle, seconds.end());
    return *middle / (list.QueryWork(settings) * sideBySide);
}

// The element length at which a pass of the copy and its stream-line starts
// take about kCoarsePassSeconds: both shrink with the square of the element
// length, through the elements gathering and the elements each query visits.
int32_t CoarseElementLength(const SceneList& list, const Tprgvar& settings, double secondsPerQueryWork) {
    double pieces = 0;
    for (const auto& object : list) pieces += 2 * static_cast<double>(object->QueryElements(settings));
    const double seconds =
        (CalculationWork(list, settings, 1) + pieces * list.QueryWork(settings)) * secondsPerQueryWork;
    const double factor = std::ceil(std::sqrt(seconds / kCoarsePassSeconds));
    return static_cast<int32_t>(std::clamp<double>(factor * settings.sellaenge, settings.sellaenge, INT32_MAX));
}

struct CoarseComputation {
    int32_t passes;
    double secondsPerWork;  // per unit of CalculationWork
};

// Computes the copy, in at most as many passes as kPassesSeconds allows:
// its passes, or `limit` when it does not converge by then.
CoarseComputation ComputeCoarse(SceneList& list, Tprgvar& coarse, double secondsPerQueryWork, int32_t limit) {
    const double passWork = CalculationWork(list, coarse, 1);
    const double allowed = std::max<double>(3, kPassesSeconds / std::max(passWork * secondsPerQueryWork, 1e-9));
    coarse.maximaleiterationen = static_cast<int32_t>(std::min<double>(limit, allowed));
    platform::HeadlessPlatform unseen;
    unseen.deadline =
        Clock::now() + 4 * std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kPassesSeconds));
    platform::HeadlessWindow window(1, 1);
    // Prepared first, so that the time is that of the passes alone.
    list.PrepareQueries(coarse);
    const Clock::time_point begun = Clock::now();
    try {
        const CalculationResult result = Calculate(list, coarse, window, unseen.Progress());
        return {result.converged ? result.passes : limit, SecondsSince(begun) / (result.passes * passWork)};
    } catch (const std::runtime_error&) {
        // Stopped, or the radiation outgrew the numbers: the real
        // computation finds that out itself.
        return {limit, secondsPerQueryWork};
    }
}

}  // namespace

double SceneSample::CalculationSeconds(const SceneList& list, const Tprgvar& settings) const {
    return CalculationWork(list, settings, passes) * secondsPerPassWork;
}

SceneSample SampleScene(const std::string& sceneText, const Tprgvar& settings, const TLinien& streamLines) {
    settings.CheckResolution();
    platform::TextFile file = platform::TextFile::FromText(sceneText);
    SceneFileContents copy = ReadSceneFile(file, Displays{});
    SceneList& list = copy.list;
    list.CleanAndNumber();
    Tprgvar coarse = settings;
    coarse.berechnet = false;
    // The queries take about the same time per unit of QueryWork at a coarser
    // resolution, where the copy needs less memory.
    while (list.StoredValues(coarse) > kCopyValues && coarse.sellaenge <= INT32_MAX / 2) coarse.sellaenge *= 2;
    list.PrepareQueries(coarse);
    SceneSample sample;
    sample.secondsPerQueryWork = SecondsPerQueryWork(list, coarse);
    coarse.sellaenge = CoarseElementLength(list, coarse, sample.secondsPerQueryWork);
    const CoarseComputation computed =
        ComputeCoarse(list, coarse, sample.secondsPerQueryWork, std::max(settings.maximaleiterationen, 1));
    sample.passes = computed.passes;
    sample.secondsPerPassWork = computed.secondsPerWork;
    list.PrepareQueries(coarse);
    sample.lines = streamLines.Sample(list, kLineSample);
    return sample;
}

}  // namespace brevanto::ui
