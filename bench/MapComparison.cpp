// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapComparison.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "display/ColourMaps.h"
#include "display/ColourScale.h"
#include "platform/RasterBitmap.h"

#include "ProcessorTime.h"
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

Drawn Draw(StandardScene& scene, ColourMaps maps, int spacing, bool refined, const DrawMap& draw) {
    maps.diffuseness.gitterweite = maps.energyDensity.gitterweite = spacing;
    maps.diffuseness.everyPixelWhereCoarse = maps.energyDensity.everyPixelWhereCoarse = refined;
    Drawn drawn{platform::RasterBitmap(scene.settings.breite, scene.settings.hoehe), 0};
    drawn.picture.GetCanvas().SetBrushColor(0xFFFFFF);
    drawn.picture.GetCanvas().FillRect(0, 0, scene.settings.breite, scene.settings.hoehe);
    const double start = ProcessorSeconds();
    draw(maps, scene, drawn.picture.GetCanvas());
    drawn.seconds = ProcessorSeconds() - start;
    return drawn;
}

}  // namespace

void PrintMapComparisons(const std::vector<std::string>& scenes) {
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
    std::printf(
        "\nColour maps at their default spacing, from the grid alone and refined, against every pixel computed,"
        " all threads; processor times as a share of the every-pixel map's\n");
    std::printf("%-36s %-20s %12s %9s %9s %9s %9s\n", "scene", "map", "every px (s)", "grid", "off", "refined", "off");
    for (const std::string& file : scenes) {
        StandardScene scene(file, 4096, 4096);
        scene.Calculate();
        scene.list.PrepareQueries(scene.settings);
        const ColourMaps maps;
        for (const auto& [name, draw] : kinds) {
            const Drawn grid = Draw(scene, maps, maps.diffuseness.gitterweite, false, draw);
            const Drawn refined = Draw(scene, maps, maps.diffuseness.gitterweite, true, draw);
            const Drawn exact = Draw(scene, maps, 1, true, draw);
            std::printf("%-36s %-20s %12.3f %9.3f %8.2f%% %9.3f %8.2f%%\n",
                        std::filesystem::path(file).stem().string().c_str(), name, exact.seconds,
                        grid.seconds / exact.seconds, DifferingShare(grid.picture, exact.picture),
                        refined.seconds / exact.seconds, DifferingShare(refined.picture, exact.picture));
        }
    }
}
