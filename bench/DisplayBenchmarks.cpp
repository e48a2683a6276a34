// Timings of the computation and of the three displays on the standard scene
// (bench/standard-scene.brv): a 1920 x 1080 picture with the background
// radiation, three Lambert-like emitters, an emitter of parallel light, two
// mirrors/diffusors and an absorber, at the default settings.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/HeadlessPlatform.h"
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"

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
    void DrawBitmap(const platform::Bitmap&) override {}
    void TextOut(int, int, const std::string&) override {}
};

// The standard scene as its file holds it, opened by the main window on the
// headless platform, not yet computed.
struct StandardScene {
    StandardScene() {
        headless.fileNameAnswers.push_back(BREVANTO_SOURCE_DIR "/bench/standard-scene.brv");
        form.OpenScene();
        form.Scene().CleanAndNumber();
    }

    void Calculate() { ::Calculate(form.Scene(), form.Settings(), window, headless.Progress()); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{1920, 1080};
    MainWindow form{headless, window};
    const SceneList& list = form.Scene();
    const Tprgvar& settings = form.Settings();
    Displays& displays = form.DisplaySettings();
};

void CalculateFromScratch(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<StandardScene>();
        state.ResumeTiming();
        scene->Calculate();
    }
}

// The scene computed once, then one display drawn per iteration.
template <class DrawDisplay>
void DrawOnComputedScene(benchmark::State& state, DrawDisplay draw) {
    StandardScene scene;
    scene.Calculate();
    scene.list.PrepareQueries(scene.settings);
    for (auto _ : state) {
        scene.headless.progressTexts.clear();
        draw(scene);
    }
}

// The summing pass at every grid point, then the occlusion test of every
// arrow (drawing into a canvas that discards it).
void Arrows(benchmark::State& state) {
    DrawOnComputedScene(state, [](StandardScene& scene) {
        NullCanvas canvas;
        scene.displays.vektorpfeile.Draw(scene.list, scene.settings, canvas, scene.headless);
    });
}

void StreamLines(benchmark::State& state) {
    DrawOnComputedScene(state, [](StandardScene& scene) {
        platform::RasterBitmap picture(scene.settings.breite, scene.settings.hoehe);
        NullCanvas window;
        scene.displays.linien.Draw(scene.list, scene.settings, picture, window, scene.headless);
    });
}

void Circles(benchmark::State& state) {
    DrawOnComputedScene(state, [](StandardScene& scene) {
        NullCanvas canvas;
        scene.displays.energiekreise.Draw(scene.list, scene.settings, canvas, scene.headless);
    });
}

BENCHMARK(CalculateFromScratch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Arrows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(StreamLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(Circles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
