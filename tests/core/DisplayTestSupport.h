#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "model/Programvar.h"
#include "model/SceneList.h"
#include "platform/HeadlessPlatform.h"

// Scene objects with a field given by a formula and no occlusion of their
// own, so that a display test depends only on the display's rules.

// The same flow density vector everywhere in a box (the whole plane unless
// narrowed); every point also receives it as one contribution. A box that
// keeps off the frame keeps the background radiation from starting stream
// lines where the field would flow in.
class UniformField : public Tszeneobjekt {
public:
    UniformField(float fx, float fy, Extended strength = 1) : fx(fx), fy(fy), strength(strength) {}

    bool FlowDensityAt(int32_t x, int32_t y, const TSceneList&, float& outX, float& outY, int32_t) const override {
        const bool reaches = Inside(x, y) && (fx != 0 || fy != 0);
        outX = reaches ? fx : 0;
        outY = reaches ? fy : 0;
        return reaches;
    }
    void FlowContributionsAt(int32_t x, int32_t y, const TSceneList& list, int32_t exclude,
                             FlowVectorList& result) const override {
        float vx = 0, vy = 0;
        if (FlowDensityAt(x, y, list, vx, vy, exclude)) result.Prepend({vx, vy});
    }
    Extended Strength() const override { return strength; }
    void AddStreamLineStarts(StreamLineStarts& list, const TSceneList&, float fluxPerLine) const override {
        lastFluxPerLine = fluxPerLine;
        for (const TStreamLineStart& start : starts) list.Prepend(start);
    }
    void NarrowTo(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom) {
        left = newLeft, top = newTop, right = newRight, bottom = newBottom;
    }

    float fx;
    float fy;
    Extended strength;
    std::vector<TStreamLineStart> starts;  // added in this order
    mutable float lastFluxPerLine = 0;

private:
    bool Inside(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    int32_t left = INT32_MIN;
    int32_t top = INT32_MIN;
    int32_t right = INT32_MAX;
    int32_t bottom = INT32_MAX;
};

// Flow to the left growing with x: (-x / 1000, 0).
class GrowingField : public Tszeneobjekt {
public:
    bool FlowDensityAt(int32_t x, int32_t, const TSceneList&, float& fx, float& fy, int32_t) const override {
        fx = static_cast<float>(-x / 1000.0);
        fy = 0;
        return x != 0;
    }
    Extended Strength() const override { return 1; }
};

// Flow of magnitude 1 circling (cx, cy) clockwise on the screen, up to 100
// pixels from the centre (so that nothing flows in through the frame).
class Vortex : public Tszeneobjekt {
public:
    Vortex(float cx, float cy) : cx(cx), cy(cy) {}

    bool FlowDensityAt(int32_t x, int32_t y, const TSceneList&, float& fx, float& fy, int32_t) const override {
        const Extended dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
        const bool reaches = r != 0 && r < 100;
        fx = reaches ? static_cast<float>(-dy / r) : 0;
        fy = reaches ? static_cast<float>(dx / r) : 0;
        return reaches;
    }
    Extended Strength() const override { return 1; }
    void AddStreamLineStarts(StreamLineStarts& list, const TSceneList&, float) const override {
        list.Prepend({cx + 50, cy});
    }

    float cx;
    float cy;
};

// A scene picture whose drawing calls are written down.
class RecordingPicture : public platform::Bitmap {
public:
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void SetSize(int, int) override {}
    platform::Canvas& GetCanvas() override { return canvas; }
    void SaveToFile(const std::string&) const override {}

    RecordingCanvas canvas;
};

// Settings for a picture of the given size, a headless platform and an
// empty scene (only the background radiation, strength 0).
class DisplayTest : public ::testing::Test {
protected:
    explicit DisplayTest(int32_t width = 1000, int32_t height = 600) {
        SetPrgvar(std::make_unique<Tprgvar>(height, width, 0xFFFFFF));
        platform::SetCurrentPlatform(&headless);
    }
    ~DisplayTest() override { platform::SetCurrentPlatform(nullptr); }

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        list.Append(std::move(object));
        list.CleanAndNumber();
        list.PrepareQueries();
        return added;
    }

    // The recorded calls that start with the prefix.
    static std::vector<std::string> CallsStartingWith(const RecordingCanvas& canvas, const std::string& prefix) {
        std::vector<std::string> found;
        std::copy_if(canvas.calls.begin(), canvas.calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return found;
    }

    platform::HeadlessPlatform headless;
    TSceneList list;
    RecordingCanvas canvas;
};
