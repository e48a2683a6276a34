// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiveDrag.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "model/ParallelFor.h"

#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::ui;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kMouseInterval = std::chrono::milliseconds(10);
constexpr double kCircleRadius = 40;
constexpr double kCircleSeconds = 2;

struct Shown {
    const char* name;
    DisplayKind display;
};

// The scene's file with its picture at 800 x 600 (the examples are drawn for
// 1024 x 768), in the temporary folder; the standard scene as it is.
std::string SceneAtItsSize(const std::string& scene) {
    if (scene.ends_with("standard-scene.brv")) return scene;
    std::ifstream in(scene);
    std::ostringstream text;
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r')) line.pop_back();
        if (line.starts_with("hoehe=")) line = "hoehe=600";
        if (line.starts_with("breite=")) line = "breite=800";
        text << line << "\r\n";
    }
    const std::filesystem::path copy =
        std::filesystem::temp_directory_path() / ("live-" + std::filesystem::path(scene).filename().string());
    std::ofstream(copy, std::ios::binary) << text.str();
    return copy.string();
}

// The mirror to drag, or else the first object with a handle.
Tszeneobjekt* Dragged(MainWindow& form) {
    Tszeneobjekt* first = nullptr;
    for (size_t i = 1; i < form.Scene().size(); ++i) {
        Tszeneobjekt& object = form.Scene()[i];
        if (object.Handles().empty()) continue;
        if (object.kind == "spiegel" || object.kind == "spiegelkreis") return &object;
        if (first == nullptr) first = &object;
    }
    return first;
}

void PrintRow(const std::string& scene, const Shown& shown, double seconds) {
    StandardScene opened(SceneAtItsSize(scene), 4096, 4096);
    MainWindow& form = opened.form;
    platform::HeadlessPlatform& headless = opened.headless;
    headless.unscriptedAnswer = true;
    form.ShowDisplay(shown.display);
    Tszeneobjekt* object = Dragged(form);
    if (object == nullptr) return;
    form.Select(object);
    const Handle start = object->Handles()[0];
    const Clock::time_point begun = Clock::now();
    const auto position = [&] {
        const double turned =
            2 * std::acos(-1.0) * std::chrono::duration<double>(Clock::now() - begun).count() / kCircleSeconds;
        return std::pair{start.x + static_cast<int>(std::lround(kCircleRadius * std::sin(turned))),
                         start.y + static_cast<int>(std::lround(kCircleRadius * (1 - std::cos(turned))))};
    };
    // The mouse moves every kMouseInterval, also while a frame computes
    // (those moves arrive through the events let through), and is released
    // when the time is up.
    const Clock::time_point deadline =
        begun + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    Clock::time_point nextMove = begun;
    bool released = false;
    int64_t framesBefore = 0, frames = 0;
    const auto mouse = [&] {
        if (released || Clock::now() < nextMove) return;
        nextMove = Clock::now() + kMouseInterval;
        const auto [x, y] = position();
        if (Clock::now() < deadline) {
            form.MouseMoved(true, x, y);
            return;
        }
        frames = form.LiveFramesShown() - framesBefore;
        released = true;
        form.MouseReleased(platform::MouseButton::Left, x, y);
    };
    headless.onEvents = mouse;
    form.MousePressed(platform::MouseButton::Left, true, start.x, start.y);
    framesBefore = form.LiveFramesShown();
    while (!released) {
        std::this_thread::sleep_until(nextMove);
        mouse();
    }
    const double releaseSeconds = std::chrono::duration<double>(Clock::now() - deadline).count();
    headless.onEvents = nullptr;
    std::printf("| %s | %dx%d | %s | %lld | %.1f | %.3f |\n", std::filesystem::path(scene).filename().string().c_str(),
                form.Settings().breite, form.Settings().hoehe, shown.name, static_cast<long long>(frames),
                static_cast<double>(frames) / seconds, releaseSeconds);
    std::fflush(stdout);
}

}  // namespace

void PrintLiveDragRates(const std::vector<std::string>& scenes, double seconds) {
    std::printf("\nLive update: a handle dragged for %.1f s, the mouse moving every 10 ms, %d threads\n\n", seconds,
                ThreadCount());
    std::printf("| scene | picture | display | frames | frames per second | release s |\n|---|---|---|---|---|---|\n");
    for (const std::string& scene : scenes)
        for (const Shown& shown :
             {Shown{"arrows", DisplayKind::Arrows}, Shown{"stream lines", DisplayKind::StreamLines},
              Shown{"circles", DisplayKind::Circles}, Shown{"diffuseness", DisplayKind::Diffuseness},
              Shown{"energy density", DisplayKind::EnergyDensityMap}})
            PrintRow(scene, shown, seconds);
}
