// Timings of the computation and of the three displays on a standard scene:
// a 1920 x 1080 picture with the background radiation, three Lambert-like
// emitters, an emitter of parallel light, two mirrors/diffusors and an
// absorber, at the default settings.
#include <benchmark/benchmark.h>

#include <memory>

#include "display/Displays.h"
#include "model/Programvar.h"
#include "model/SceneList.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/Berechnen.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

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
};

template <class Kind>
void AddEmitter(TSceneList& list, int32_t x1, int32_t y1, int32_t x2, int32_t y2, float strength) {
    auto emitter = std::make_unique<Kind>(x1, y1, x2, y2);
    emitter->staerke = strength;
    list.Append(std::move(emitter));
}

void AddMirror(TSceneList& list, int32_t x1, int32_t y1, int32_t x2, int32_t y2, float dirref, float difref,
               float dirtrans, float diftrans) {
    auto mirror = std::make_unique<TObjektSpiegel>(x1, y1, x2, y2);
    mirror->dirref = dirref;
    mirror->difref = difref;
    mirror->dirtrans = dirtrans;
    mirror->diftrans = diftrans;
    list.Append(std::move(mirror));
}

// Fresh settings and the standard scene, not yet computed.
std::unique_ptr<TSceneList> StandardScene() {
    SetPrgvar(std::make_unique<Tprgvar>(kHeight, kWidth, 0xFFFFFF));
    auto list = std::make_unique<TSceneList>();
    list->Background().staerke = 1;
    AddEmitter<TObjektLambert>(*list, 300, 200, 500, 200, 100);
    AddEmitter<TObjektLambert>(*list, 1400, 300, 1500, 500, 60);
    AddEmitter<TObjektLambert>(*list, 900, 800, 1100, 850, 80);
    AddEmitter<TObjektParallel>(*list, 200, 600, 200, 900, 50);
    AddMirror(*list, 700, 400, 800, 600, 50, 30, 0, 10);
    AddMirror(*list, 1200, 700, 1500, 750, 20, 20, 30, 20);
    list->Append(std::make_unique<TObjektAbsorber>(1000, 100, 1000, 400));
    list->CleanAndNumber();
    return list;
}

// The headless platform records every progress text; a fresh one per run
// keeps that record small.
struct BenchmarkPlatform {
    BenchmarkPlatform() { platform::SetCurrentPlatform(&headless); }
    ~BenchmarkPlatform() { platform::SetCurrentPlatform(nullptr); }
    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{kWidth, kHeight};
};

void CalculateFromScratch(benchmark::State& state) {
    BenchmarkPlatform shown;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TSceneList> list = StandardScene();
        state.ResumeTiming();
        Calculate(*list, shown.window);
    }
}

// The scene computed once, then one display drawn per iteration.
template <class DrawDisplay>
void DrawOnComputedScene(benchmark::State& state, DrawDisplay draw) {
    BenchmarkPlatform shown;
    std::unique_ptr<TSceneList> list = StandardScene();
    Calculate(*list, shown.window);
    list->PrepareQueries();
    TDisplays displays;
    for (auto _ : state) draw(*list, displays);
}

// The summing pass at every grid point, then the occlusion test of every
// arrow (drawing into a canvas that discards it).
void Arrows(benchmark::State& state) {
    DrawOnComputedScene(state, [](const TSceneList& list, TDisplays& displays) {
        NullCanvas canvas;
        displays.vektorpfeile.Draw(list, canvas);
    });
}

void StreamLines(benchmark::State& state) {
    DrawOnComputedScene(state, [](const TSceneList& list, TDisplays& displays) {
        platform::RasterBitmap picture(kWidth, kHeight);
        NullCanvas window;
        displays.linien.Draw(list, picture, window);
    });
}

void Circles(benchmark::State& state) {
    DrawOnComputedScene(state, [](const TSceneList& list, TDisplays& displays) {
        NullCanvas canvas;
        displays.energiekreise.Draw(list, canvas);
    });
}

BENCHMARK(CalculateFromScratch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Arrows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(StreamLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(Circles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
