// SPDX-License-Identifier: GPL-3.0-or-later
#include "PairCosts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "model/ParallelFor.h"
#include "objects/KindRegistry.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/Calculation.h"

#include "ProcessorTime.h"
#include "RandomScene.h"
#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;
using namespace brevanto::objects;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kGrid = 20;

// The best of three sweeps over the grid, in processor seconds.
double SweepSeconds(const Tszeneobjekt& object, const SceneList& list, const Tprgvar& settings) {
    double best = 1e300;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double start = ProcessorSeconds();
        float fx = 0, fy = 0;
        for (int32_t y = kGrid / 2; y < settings.hoehe; y += kGrid)
            for (int32_t x = kGrid / 2; x < settings.breite; x += kGrid) object.FlowDensityAt(x, y, list, fx, fy, 0);
        best = std::min(best, ProcessorSeconds() - start);
    }
    return best;
}

}  // namespace

void PrintPairCostsByKind(const std::vector<std::string>& sceneFiles) {
    SetThreadCount(1);
    for (const std::string& file : sceneFiles) {
        const std::string name = std::filesystem::path(file).stem().string();
        double best = 1e300;
        for (int repeat = 0; repeat < 5; ++repeat) {
            StandardScene fresh(file);
            const double start = ProcessorSeconds();
            fresh.Calculate();
            best = std::min(best, ProcessorSeconds() - start);
        }
        std::printf("\n%s on one thread: Calculate %.2f ms (processor time, best of 5)\n", name.c_str(), best * 1e3);
        StandardScene scene(file);
        scene.Calculate();
        scene.list.PrepareQueries(scene.settings);
        const int64_t points =
            int64_t{(scene.settings.breite + kGrid / 2) / kGrid} * ((scene.settings.hoehe + kGrid / 2) / kGrid);
        std::printf("%s on one thread: flow density per pair, by object (grid %d)\n%-4s %-12s %9s %12s %9s\n",
                    name.c_str(), kGrid, "no", "kind", "elements", "pairs", "ns(cpu)");
        for (const auto& object : scene.list) {
            const int64_t elements = object->QueryElements(scene.settings);
            if (elements == 0) continue;
            const double seconds = SweepSeconds(*object, scene.list, scene.settings);
            std::printf("%-4d %-12s %9lld %12lld %9.2f\n", object->number, object->kind.c_str(),
                        static_cast<long long>(elements), static_cast<long long>(points * elements),
                        seconds * 1e9 / static_cast<double>(points * elements));
            std::fflush(stdout);
        }
    }
    SetThreadCount(0);
}

void PrintCalculationScaling(const std::vector<int>& objectCounts) {
    SetThreadCount(1);
    std::printf(
        "\nCalculate on one thread: random scenes with mirrors, 1920 x 1080, sel 5\n%-8s %7s %14s %9s %9s %9s\n",
        "objects", "passes", "pairs/pass", "wall s", "cpu s", "ns(cpu)");
    for (int objects : objectCounts) {
        platform::HeadlessPlatform headless;
        platform::HeadlessWindow window(1920, 1080);
        Tprgvar settings(1080, 1920, 0xFFFFFF);
        SceneList list(NewBackground());
        RandomScene(list, 1920, 1080, objects, true);
        int64_t receivers = 0, senders = 0;
        for (const auto& object : list) {
            senders += object->QueryElements(settings);
            if (object->StoredValues(settings) > 0) receivers += object->QueryElements(settings);
        }
        const auto start = Clock::now();
        const double processorStart = ProcessorSeconds();
        const CalculationResult result = Calculate(list, settings, window, headless.Progress());
        const double cpu = ProcessorSeconds() - processorStart;
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double pairs = static_cast<double>(receivers) * static_cast<double>(senders);
        std::printf("%-8d %7d %14.4g %9.3f %9.3f %9.2f\n", objects, result.passes, pairs, wall, cpu,
                    cpu * 1e9 / (pairs * result.passes));
        std::fflush(stdout);
    }
    SetThreadCount(0);
}
