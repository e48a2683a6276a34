// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/SceneList.h"
#include "platform/Colour.h"
#include "platform/TextFile.h"

namespace brevanto::platform {
class Bitmap;
class Canvas;
class Platform;
}  // namespace brevanto::platform

namespace brevanto::display {

// Stream lines of the energy flow: curves along the summed flow density,
// downstream from where energy leaves a surface. The objects start the lines
// so that each carries the flux linienabstand * maxS (maxS: the largest
// strength in the scene), so the lines leaving the strongest emitter are
// about linienabstand pixels apart.
class TLinien {
public:
    // A traced point as computed; the canvas rounds it to a pixel or keeps it.
    struct Point {
        float x;
        float y;
    };

    int32_t linienabstand = 20;     // minimum distance between lines, >= 1
    int32_t maxlaenge = 1000;       // maximum length of one line in pixels
    float iterationslaenge = 2.0f;  // length of one step in pixels, > 0
    float abbruchschwelle = 0.01f;  // lines stop below this fraction of maxS
    platform::TColor colour = 0;

    // Traces one line from every starting point that the objects propose and
    // copies the picture to the window after each. The scene must be
    // computed and its queries prepared.
    void Draw(const model::SceneList& list, const model::Tprgvar& settings, platform::Bitmap& picture,
              platform::Canvas& window, platform::Platform& platform) const;
    // One line from (x, y), which also ends where it comes back to its start
    // and turns away again (a closed circulation); then copies the picture.
    void TraceLine(const model::SceneList& list, platform::Bitmap& picture, platform::Canvas& window,
                   platform::Platform& platform, int32_t x, int32_t y) const;
    // What a sample of the lines tells of all: how many start, and the
    // steps they take on average.
    struct LineSample {
        double lines = 0;
        double steps = 0;
    };
    // Starts the lines as Draw does and traces some of them, spread over
    // the starts, for about `budget`: at least one. A traced line still
    // going after kSampleSteps steps counts as one of its full length. The
    // scene must be computed and its queries prepared.
    LineSample Sample(const model::SceneList& list, std::chrono::milliseconds budget) const;
    // The work of Draw in the units of SceneList::QueryWork: finding the
    // starting points along every surface, and the lines of the sample.
    double Work(const model::SceneList& list, const model::Tprgvar& settings, const LineSample& sample) const;
    // The flux that each line of the full set carries: linienabstand times
    // the largest strength in the scene.
    float FluxPerLine(const model::SceneList& list) const;
    // The dialog "Stream-lines". Values are read strictly; the dialog comes
    // back until the distance and the step length are positive.
    void Edit(platform::Platform& platform);
    // The section "linien", its keyword line included.
    void SaveToFile(platform::TextFile& file) const;
    // Called after the keyword line was read. Stops at the first line that
    // does not match and returns false, keeping the values read so far.
    bool LoadFromFile(platform::TextFile& file);

private:
    // Shows why nothing can be drawn with these parameters and returns false.
    bool CheckParameters(bool fullSet, platform::Platform& platform) const;
    // The points of one line from (x, y): where the pen starts, then the end
    // of every step, of at most mostSteps steps.
    std::vector<Point> Trace(const model::SceneList& list, float maxS, float x, float y, bool closedLoopTest,
                             size_t mostSteps = SIZE_MAX) const;
    // Every object's starting points, from the head: the last object's
    // first. `announce` is called before each object.
    std::vector<model::StreamLineStart> Starts(const model::SceneList& list,
                                               const std::function<void(const model::Tszeneobjekt&)>& announce,
                                               const model::StopCheck& stop) const;

    static constexpr size_t kSampleSteps = 4000;
};

}  // namespace brevanto::display
