// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapComparison.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/ColourMaps.h"
#include "display/ColourScale.h"
#include "platform/RasterBitmap.h"

#include "StandardScene.h"

using namespace brevanto;
using namespace brevanto::display;

namespace {

// Pixels more than one colour step apart, in per cent of the picture.
double DifferingShare(const platform::RasterBitmap& a, const platform::RasterBitmap& b) {
    long differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) differing += MoreThanAStepApart(a.Pixel(x, y), b.Pixel(x, y));
    return 100.0 * static_cast<double>(differing) / (static_cast<double>(a.Width()) * a.Height());
}

using DrawMap = std::function<void(const ColourMaps&, StandardScene&, platform::Canvas&)>;

struct Drawn {
    platform::RasterBitmap picture;
    double seconds;
};

Drawn Draw(StandardScene& scene, ColourMaps maps, int spacing, const DrawMap& draw) {
    maps.diffuseness.gitterweite = maps.energyDensity.gitterweite = spacing;
    Drawn drawn{platform::RasterBitmap(scene.settings.breite, scene.settings.hoehe), 0};
    drawn.picture.GetCanvas().SetBrushColor(0xFFFFFF);
    drawn.picture.GetCanvas().FillRect(0, 0, scene.settings.breite, scene.settings.hoehe);
    const auto start = std::chrono::steady_clock::now();
    draw(maps, scene, drawn.picture.GetCanvas());
    drawn.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return drawn;
}

}  // namespace

void PrintMapComparisons() {
    const std::vector<std::string> scenes = ExampleAndStandardScenes();
    const std::vector<std::pair<const char*, DrawMap>> kinds{
        {"diffuseness",
         [](const ColourMaps& maps, StandardScene& s, platform::Canvas& canvas) {
             maps.diffuseness.Draw(s.list, s.settings, canvas, s.headless);
         }},
        {"energy density",
         [](const ColourMaps& maps, StandardScene& s, platform::Canvas& canvas) {
             maps.energyDensity.Draw(s.list, s.settings, canvas, s.headless);
         }},
        {"energy density, log",
         [](ColourMaps maps, StandardScene& s, platform::Canvas& canvas) {
             maps.energyDensity.logarithmic = true;
             maps.energyDensity.Draw(s.list, s.settings, canvas, s.headless);
         }},
    };
    std::printf("\nColour maps at their default spacing against every pixel computed, all threads\n");
    std::printf("%-36s %-20s %10s %12s %12s\n", "scene", "map", "map (s)", "every px (s)", "off >1 step");
    for (const std::string& file : scenes) {
        StandardScene scene(file, 4096, 4096);
        scene.Calculate();
        scene.list.PrepareQueries(scene.settings);
        const ColourMaps maps;
        for (const auto& [name, draw] : kinds) {
            const Drawn map = Draw(scene, maps, maps.diffuseness.gitterweite, draw);
            const Drawn exact = Draw(scene, maps, 1, draw);
            std::printf("%-36s %-20s %10.3f %12.3f %11.2f%%\n", std::filesystem::path(file).filename().string().c_str(),
                        name, map.seconds, exact.seconds, DifferingShare(map.picture, exact.picture));
        }
    }
}
