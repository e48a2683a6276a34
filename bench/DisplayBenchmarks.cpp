// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the computation and of the three displays.
//
// First the standard scene (bench/standard-scene.brv): a 1920 x 1080 picture
// with the background radiation, three Lambert-like emitters, an emitter of
// parallel light, two mirrors/diffusors and an absorber, at the default
// settings, timed by Google Benchmark, and the arrows of two random scenes
// (below) of 8 and 128 objects. Then (unless --no-tables) tables of
// the cost per pair: a pair is one point at which the field is evaluated and
// one line of sight to a surface element (one per element of each emitter
// and mirror and of the frame, one per beam of a parallel emitter or sun).
// The nanoseconds per pair and core: "ns(wall)" is the wall time times the
// threads, "ns(cpu)" the process's processor time, each divided by the pairs.
//   - the standard scene on 1, 2, 4, ... threads;
//   - random scenes: 100-pixel segments at random places and angles (fixed
//     seed), one in four a Lambert-like emitter and the rest absorbers, in
//     a picture with the background radiation: the number of objects, the
//     picture size and sellaenge each varied from 8 objects, 1920 x 1080, 5
//     (512 objects without stream lines);
//   - the standard scene's cost per pair by object, and Calculate against
//     the number of objects for random scenes with mirrors (PairCosts.h);
//   - the colour maps against every pixel computed (MapComparison.h);
//   - the time estimates against the time taken (EstimateComparison.h);
//   - the frames per second of the display that follows a drag (LiveDrag.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "model/ParallelFor.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/Calculation.h"
#include "radiation/SurfaceElements.h"
#include "ui/MainWindow.h"

#include "EstimateComparison.h"
#include "LiveDrag.h"
#include "MapComparison.h"
#include "PairCosts.h"
#include "ProcessorTime.h"
#include "RandomScene.h"
#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;
using namespace brevanto::objects;
using namespace brevanto::display;

namespace {

// A canvas that draws nothing: the timings are of the computation.
class NullCanvas : public platform::Canvas {
public:
    void SetPenColor(platform::TColor) override {}
    void SetBrushColor(platform::TColor) override {}
    void SetBrushStyle(platform::BrushStyle) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void Arc(int, int, int, int, int, int, int, int) override {}
    void DrawBitmapPart(const platform::Bitmap&, int, int, int, int) override {}
    void TextOut(int, int, const std::string&) override {}
    void DrawText(int, int, const std::string&, int) override {}
};

void CalculateFromScratch(benchmark::State& state) {
    std::unique_ptr<StandardScene> scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene = std::make_unique<StandardScene>();  // the last one freed here, untimed
        state.ResumeTiming();
        scene->Calculate();
    }
}

void DrawArrows(const SceneList& list, const Tprgvar& settings, Displays& displays,
                platform::HeadlessPlatform& headless) {
    NullCanvas canvas;
    displays.vektorpfeile.Draw(list, settings, canvas, headless);
}

void DrawStreamLines(const SceneList& list, const Tprgvar& settings, Displays& displays,
                     platform::HeadlessPlatform& headless) {
    platform::RasterBitmap picture(settings.breite, settings.hoehe);
    NullCanvas window;
    displays.linien.Draw(list, settings, picture, window, headless);
}

void DrawCircles(const SceneList& list, const Tprgvar& settings, Displays& displays,
                 platform::HeadlessPlatform& headless) {
    NullCanvas canvas;
    displays.energiekreise.Draw(list, settings, canvas, headless);
}

using Display = void (*)(const SceneList&, const Tprgvar&, Displays&, platform::HeadlessPlatform&);

// The scene computed once, then one display drawn per iteration.
void DrawOnComputedScene(benchmark::State& state, Display draw, StandardScene&& scene = StandardScene()) {
    scene.Calculate();
    scene.list.PrepareQueries(scene.settings);
    for (auto _ : state) {
        scene.headless.progressTexts.clear();
        draw(scene.list, scene.settings, scene.displays, scene.headless);
    }
}

void Arrows(benchmark::State& state) { DrawOnComputedScene(state, DrawArrows); }
void StreamLines(benchmark::State& state) { DrawOnComputedScene(state, DrawStreamLines); }
void Circles(benchmark::State& state) { DrawOnComputedScene(state, DrawCircles); }

// The standard scene on a 3840 x 2160 picture with stream lines 5 pixels
// apart, from a copy of its file in the temporary folder.
void DenseStreamLines(benchmark::State& state) {
    std::ifstream standard(kStandardSceneFile, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(standard)), std::istreambuf_iterator<char>());
    for (const auto& [from, to] : {std::pair{"hoehe=1080", "hoehe=2160"}, std::pair{"breite=1920", "breite=3840"},
                                   std::pair{"linienabstand=20", "linienabstand=5"}})
        text.replace(text.find(from), std::strlen(from), to);
    const std::string file = (std::filesystem::temp_directory_path() / "brevanto-dense-lines.brv").string();
    std::ofstream(file, std::ios::binary) << text;
    DrawOnComputedScene(state, DrawStreamLines, StandardScene(file, 3840, 2160));
    std::filesystem::remove(file);
}

// "CPU" is the processor time of all threads: on a shared machine it shows
// the work better than the wall time does.
BENCHMARK(CalculateFromScratch)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(3);
BENCHMARK(Arrows)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(3);
BENCHMARK(StreamLines)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(1);
BENCHMARK(Circles)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(3);
BENCHMARK(DenseStreamLines)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(1);

// Counts the points at which the field is evaluated; sends and blocks
// nothing.
class PointCounter : public Tszeneobjekt {
public:
    bool FlowDensityAt(int32_t, int32_t, const SceneList&, float& fx, float& fy, int32_t) const override {
        ++points;
        fx = fy = 0;
        return false;
    }
    void FlowContributionsAt(int32_t, int32_t, const SceneList&, int32_t, FlowVectorList&) const override { ++points; }
    mutable std::atomic<int64_t> points{0};
};

// The lines of sight of one evaluation of the whole field.
int64_t SightLinesPerPoint(const SceneList& list, const Tprgvar& settings) {
    int64_t lines = 0;
    for (const auto& object : list) {
        if (const auto* straight = dynamic_cast<const TObjektGerade*>(object);
            straight &&
            (dynamic_cast<const TObjektLambert*>(straight) || dynamic_cast<const TObjektSpiegel*>(straight)))
            lines += StraightElementCount(straight->Length(), settings.sellaenge);
        else if (dynamic_cast<const TObjektParallel*>(object) || dynamic_cast<const TObjektSonne*>(object))
            lines += 1;
        else if (dynamic_cast<const TObjektHintergrund*>(object))
            lines += 2 * (StraightElementCount(static_cast<float>(settings.breite), settings.sellaenge) +
                          StraightElementCount(static_cast<float>(settings.hoehe), settings.sellaenge));
    }
    return lines;
}

struct Timing {
    double milliseconds;     // wall time
    double cpuMilliseconds;  // the process's processor time, all threads
    int64_t pairs;
};

// Draws once to count the points, then times the best of `repeats` draws.
Timing Measure(SceneList& list, const Tprgvar& settings, Displays& displays, platform::HeadlessPlatform& headless,
               Display draw, int repeats) {
    auto counter = std::make_unique<PointCounter>();
    PointCounter& count = *counter;
    list.Append(std::move(counter));
    list.CleanAndNumber();
    list.PrepareQueries(settings);
    draw(list, settings, displays, headless);
    const int64_t points = count.points;
    list.Remove(list.size() - 1);
    list.CleanAndNumber();
    list.PrepareQueries(settings);
    double best = 1e300, bestProcessor = 1e300;
    for (int k = 0; k < repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        const double processorStart = ProcessorSeconds() * 1e3;
        draw(list, settings, displays, headless);
        bestProcessor = std::min(bestProcessor, ProcessorSeconds() * 1e3 - processorStart);
        best =
            std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        headless.messages.clear();
        headless.progressTexts.clear();
    }
    return {best, bestProcessor, points * SightLinesPerPoint(list, settings)};
}

// ns/pair/core from the wall time times the threads, and from the
// processor time.
void PrintRow(const char* label, const char* display, int threads, const Timing& t) {
    const auto pairs = static_cast<double>(std::max<int64_t>(t.pairs, 1));
    std::printf("%-28s %-12s %7d %9.1f %9.1f %12lld %9.2f %9.2f\n", label, display, threads, t.milliseconds,
                t.cpuMilliseconds, static_cast<long long>(t.pairs), t.milliseconds * 1e6 * threads / pairs,
                t.cpuMilliseconds * 1e6 / pairs);
    std::fflush(stdout);
}

void PrintHeader(const char* title) {
    std::printf("\n%s\n%-28s %-12s %7s %9s %9s %12s %9s %9s\n", title, "scene", "display", "threads", "wall ms",
                "cpu ms", "pairs", "ns(wall)", "ns(cpu)");
}

struct NamedDisplay {
    const char* name;
    Display draw;
};
constexpr NamedDisplay kDisplays[] = {
    {"arrows", DrawArrows}, {"circles", DrawCircles}, {"streamlines", DrawStreamLines}};

void StandardSceneThreads() {
    PrintHeader("Standard scene, 1920 x 1080, by threads");
    const int most = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    for (int threads = 1; threads <= std::max(4, most); threads *= 2) {
        SetThreadCount(threads);
        double best = 1e300;
        for (int k = 0; k < 3; ++k) {
            StandardScene scene;
            const auto start = std::chrono::steady_clock::now();
            scene.Calculate();
            best = std::min(
                best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("%-28s %-12s %7d %9.1f\n", "standard", "Calculate", threads, best);
        StandardScene scene;
        scene.Calculate();
        for (const NamedDisplay& display : kDisplays) {
            SceneList& list = scene.form.Scene();
            PrintRow("standard", display.name, threads,
                     Measure(list, scene.settings, scene.displays, scene.headless, display.draw, 3));
        }
    }
    SetThreadCount(0);
}

// The arrows of a random scene of 8 or 128 objects, repeated as the
// standard scene's are: how the cost per pair grows with the objects.
void RandomArrows(benchmark::State& state) {
    platform::HeadlessPlatform headless;
    Tprgvar settings(1080, 1920, 0xFFFFFF);
    SceneList list(NewBackground());
    RandomScene(list, 1920, 1080, static_cast<int>(state.range(0)));
    list.PrepareQueries(settings);
    Displays displays;
    for (auto _ : state) DrawArrows(list, settings, displays, headless);
}
BENCHMARK(RandomArrows)
    ->Arg(8)
    ->Arg(128)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(3);

void RandomSceneRow(int width, int height, int objects, int sellaenge, bool streamLines) {
    platform::HeadlessPlatform headless;
    Tprgvar settings(height, width, 0xFFFFFF);
    settings.sellaenge = sellaenge;
    SceneList list(NewBackground());
    RandomScene(list, width, height, objects);
    Displays displays;
    char label[64];
    std::snprintf(label, sizeof label, "%dx%d, %d obj, sel %d", width, height, objects, sellaenge);
    for (const NamedDisplay& display : kDisplays) {
        if (display.draw == DrawStreamLines && !streamLines) continue;
        PrintRow(label, display.name, ThreadCount(), Measure(list, settings, displays, headless, display.draw, 3));
    }
}

void RandomScenes() {
    SetThreadCount(1);
    PrintHeader("Random scenes on one thread: number of objects");
    for (int objects : {1, 8, 32, 128, 512}) RandomSceneRow(1920, 1080, objects, 5, objects <= 128);
    PrintHeader("Random scenes on one thread: picture size");
    for (auto [w, h] : {std::pair{800, 600}, {1920, 1080}, {3840, 2160}}) RandomSceneRow(w, h, 8, 5, false);
    PrintHeader("Random scenes on one thread: sellaenge");
    for (int sellaenge : {5, 2, 1}) RandomSceneRow(1920, 1080, 8, sellaenge, false);
    SetThreadCount(0);
}

constexpr double kLiveDragSeconds = 3;
const std::vector<int> kCalculationObjects{32, 128, 512};

}  // namespace

// --no-tables: the timings alone; --maps [SCENE...]: the colour maps' table
// alone, of the scenes named or else of the examples and the standard scene;
// --estimates [SCENE...]: the estimates' table alone, of the scenes named or
// else of the examples and the standard scene; --live [SECONDS [SCENE...]]:
// the live update's table alone, each drag SECONDS long (3); --random: the
// random scenes' tables alone; --pairs [SCENE...]: the cost per pair by
// object alone, of the scenes named or else of the standard scene;
// --calculate [N...]: Calculate for random scenes with mirrors of N objects
// alone (else 32, 128 and 512).
int main(int argc, char** argv) {
    bool tables = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maps") == 0) {
            std::vector<std::string> scenes(argv + i + 1, argv + argc);
            PrintMapComparisons(scenes.empty() ? ExampleAndStandardScenes() : scenes);
            return 0;
        }
        if (std::strcmp(argv[i], "--estimates") == 0) {
            std::vector<std::string> scenes(argv + i + 1, argv + argc);
            PrintEstimateComparisons(scenes.empty() ? ExampleAndStandardScenes() : scenes);
            return 0;
        }
        if (std::strcmp(argv[i], "--live") == 0) {
            const double seconds = i + 1 < argc ? std::atof(argv[i + 1]) : kLiveDragSeconds;
            std::vector<std::string> scenes(argv + std::min(i + 2, argc), argv + argc);
            PrintLiveDragRates(scenes.empty() ? ExampleAndStandardScenes() : scenes, seconds);
            return 0;
        }
        if (std::strcmp(argv[i], "--random") == 0) {
            RandomScenes();
            return 0;
        }
        if (std::strcmp(argv[i], "--pairs") == 0) {
            std::vector<std::string> scenes(argv + i + 1, argv + argc);
            if (scenes.empty()) scenes.push_back(kStandardSceneFile);
            PrintPairCostsByKind(scenes);
            return 0;
        }
        if (std::strcmp(argv[i], "--calculate") == 0) {
            std::vector<int> counts;
            for (int k = i + 1; k < argc; ++k) counts.push_back(std::atoi(argv[k]));
            PrintCalculationScaling(counts.empty() ? kCalculationObjects : counts);
            return 0;
        }
        if (std::strcmp(argv[i], "--no-tables") == 0) {
            tables = false;
            argv[i] = argv[argc - 1];
            --argc;
            --i;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (tables) {
        StandardSceneThreads();
        RandomScenes();
        PrintPairCostsByKind({kStandardSceneFile});
        PrintCalculationScaling(kCalculationObjects);
        PrintMapComparisons(ExampleAndStandardScenes());
        PrintEstimateComparisons(ExampleAndStandardScenes());
        PrintLiveDragRates(ExampleAndStandardScenes(), kLiveDragSeconds);
    }
    return 0;
}
