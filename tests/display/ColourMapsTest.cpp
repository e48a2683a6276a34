// SPDX-License-Identifier: GPL-3.0-or-later
// The colour maps of diffuseness and energy density, their colour scale,
// legend and font.
#include <set>
#include <sstream>

#include "RecordingCanvas.h"
#include "SceneFixture.h"
#include "display/ColourMaps.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/RasterBitmap.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;

namespace {

constexpr platform::TColor kWhite = 0xFFFFFF;

// Light whose energy density is the point's x, all travelling along +x.
class EnergyGrowingWithX : public Tszeneobjekt {
public:
    void FlowContributionsAt(int32_t x, int32_t, const SceneList&, int32_t, FlowVectorList& result) const override {
        if (x > 0) result.Prepend({static_cast<float>(x), 0});
    }
};

// Light travelling along +x whose energy density grows slowly with x and
// ripples along y (and, if asked, along x) in steps with a period of five
// pixels; if asked, it is brighter beyond a slanted line, lit on both sides.
class RipplingLight : public Tszeneobjekt {
public:
    bool alongX = false;
    bool brighterBeyond = false;

    void FlowContributionsAt(int32_t x, int32_t y, const SceneList&, int32_t, FlowVectorList& result) const override {
        const int32_t ripple = 6 * (y % 5) + (alongX ? 6 * (x % 5) : 0);
        const int32_t beyond = brighterBeyond && 2 * x + 3 * y > 701 ? 60 : 0;
        result.Prepend({static_cast<float>(200 + x / 10 + ripple + beyond), 0});
    }
};

// A white 400 x 300 picture, a dark scene and the two maps.
class ColourMapsTest : public SceneTest {
protected:
    ColourMapsTest() {
        settings = Tprgvar(300, 400, kWhite);
        picture.GetCanvas().SetBrushColor(kWhite);
        picture.GetCanvas().FillRect(0, 0, 400, 300);
    }
    // A beam of `strength` across the picture's upper part, 100 <= x <= 300,
    // travelling up from y = 150 (and down from it).
    void Beam(float strength) { Add<TObjektParallel>(100, 150, 300, 150).staerke = strength; }
    template <class Map>
    void Draw(const Map& map) {
        map.Draw(list, settings, picture.GetCanvas(), headless);
    }
    platform::TColor Pixel(int x, int y) const { return picture.Pixel(x, y); }
    // The pixels of the map (energy density or diffuseness) drawn at
    // `spacing` on white.
    std::vector<platform::TColor> DrawnAt(bool diffuseness, int32_t spacing) {
        ColourMaps spaced = maps;
        spaced.diffuseness.gitterweite = spaced.energyDensity.gitterweite = spacing;
        picture.GetCanvas().SetBrushColor(kWhite);
        picture.GetCanvas().FillRect(0, 0, 400, 300);
        if (diffuseness)
            Draw(spaced.diffuseness);
        else
            Draw(spaced.energyDensity);
        std::vector<platform::TColor> pixels;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) pixels.push_back(Pixel(x, y));
        return pixels;
    }
    // How many pixels of the map at its spacing lie more than a step of the
    // ramp from the map computed at every pixel.
    size_t DifferingFromEveryPixel(bool diffuseness) {
        const std::vector<platform::TColor> everyPixel = DrawnAt(diffuseness, 1), refined = DrawnAt(diffuseness, 4);
        size_t differing = 0;
        for (size_t k = 0; k < everyPixel.size(); ++k) differing += MoreThanAStepApart(everyPixel[k], refined[k]);
        return differing;
    }

    platform::RasterBitmap picture{400, 300};
    ColourMaps maps;
};

TEST_F(ColourMapsTest, DiffusenessOfASingleBeamIsZeroInTheBeamAndMaskedWhereNoLightIs) {
    Beam(3);
    Draw(maps.diffuseness);
    EXPECT_TRUE(headless.messages.empty());
    for (const auto& [x, y] : {std::pair{110, 20}, {290, 140}, {200, 160}})
        EXPECT_EQ(Pixel(x, y), RampColour(0)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{90, 100}, {310, 100}})
        EXPECT_EQ(Pixel(x, y), kWhite) << "no light at " << x << "," << y;
    EXPECT_EQ(Pixel(200, 150), 0) << "the emitter drawn over the colours";
}

// Regression test: grid points right on an object get no light (the object
// blocks every path that ends on it) and left holes three pixels wide along
// lit surfaces.
TEST_F(ColourMapsTest, AGridPointOnAnObjectLeavesNoHoleInTheLight) {
    Add<TObjektSpiegel>(120, 100, 280, 100).diftrans = 100;  // on the grid row y = 100
    Beam(3);
    Compute();
    EXPECT_EQ(list.EnergyDensityAt(200, 100), 0) << "the premise: no light on the diffusor's line";
    Draw(maps.energyDensity);
    for (const int y : {98, 99, 101, 102}) EXPECT_NE(Pixel(200, y), kWhite) << y;
}

// The edges of a shadow and of a beam, off the grid's lines, and the light
// along an object come out as when every pixel is computed: the grid is
// refined where it is too coarse.
TEST_F(ColourMapsTest, EdgesAreAsCrispAsWithEveryPixelComputed) {
    Beam(3);
    Add<TObjektSpiegel>(151, 77, 237, 77).diftrans = 0;  // an absorbing strip in the beam, off the grid
    Add<TObjektSpiegel>(130, 30, 260, 53).difref = 50;   // a diffusor across the beam, slanted
    Compute();
    for (const bool diffuseness : {false, true})
        EXPECT_LT(DifferingFromEveryPixel(diffuseness), 300 * 400 / 200)
            << (diffuseness ? "diffuseness" : "energy density");
}

// Light that ripples from one row of pixels to the next, faster than the
// grid, as the background radiation's elements do seen from close by: the
// grid shows the ripple only where its steps alias, every few grid points,
// yet every cell between holds a step. Rippling along both axes, a cell is
// drawn from its four edges, unless a sharp edge of the light runs through
// it.
TEST_F(ColourMapsTest, LightRipplingFinerThanTheGridComesOutAsWithEveryPixelComputed) {
    RipplingLight& light = Add<RipplingLight>();
    for (const auto& [alongBoth, brighterBeyond] : {std::pair{false, false}, {true, false}, {true, true}}) {
        light.alongX = alongBoth;
        light.brighterBeyond = brighterBeyond;
        EXPECT_LT(DifferingFromEveryPixel(false), 300 * 400 / 200)
            << (alongBoth ? "along both axes" : "along y") << (brighterBeyond ? ", brighter beyond a line" : "");
    }
}

TEST_F(ColourMapsTest, EnergyDensityIsInterpolatedBilinearlyBetweenGridPoints) {
    Add<EnergyGrowingWithX>();
    maps.energyDensity.gitterweite = 10;
    Draw(maps.energyDensity);
    // The grid's last column lies at x = 400: E runs up to 400, and a linear
    // E comes out exactly between the grid points.
    for (const int x : {10, 17, 399}) EXPECT_EQ(Pixel(x, 40), RampColour(x / 400.0)) << x;
    EXPECT_EQ(Pixel(3, 40), RampColour(3 / 400.0)) << "left of the first column each pixel has its own value";
}

TEST_F(ColourMapsTest, LogarithmicEnergyDensitySpansFourDecadesBelowTheLargest) {
    Add<EnergyGrowingWithX>();
    maps.energyDensity.gitterweite = 4;
    maps.energyDensity.logarithmic = true;
    Draw(maps.energyDensity);
    // E from 1 (the margin's pixels) to 400 (the grid's last column), the
    // smallest at the ramp's start and 20 halfway.
    EXPECT_EQ(Pixel(1, 40), RampColour(0));
    EXPECT_EQ(Pixel(20, 40), RampColour(0.5));
    EXPECT_EQ(Pixel(399, 40), RampColour(1));
}

TEST_F(ColourMapsTest, TheLegendShowsTheRampAndItsValuesInTheLowerRightCorner) {
    Beam(3);
    maps.energyDensity.colour = 0x0000FF;
    Draw(maps.energyDensity);
    // The ramp's first colour along a row of the lower half, then 256 steps
    // to its last, on white, framed in the legend's colour to the right.
    int barX = -1, barY = -1;
    for (int y = 150; y < 300 && barX < 0; ++y)
        for (int x = 1; x < 400 && barX < 0; ++x)
            if (Pixel(x, y) == RampColour(0) && Pixel(x - 1, y) == kWhite) barX = x, barY = y;
    ASSERT_GE(barX, 0) << "no ramp in the lower half";
    EXPECT_EQ(Pixel(barX + 255, barY), RampColour(1));
    EXPECT_EQ(Pixel(barX + 256, barY), kWhite);
    int frame = barX + 256;
    while (frame < 400 && Pixel(frame, barY) == kWhite) ++frame;
    EXPECT_EQ(Pixel(frame, barY), 0x0000FF) << "its frame";
    EXPECT_LT(frame, 399) << "off the picture's border";
    // The values below the ramp, in the legend's colour, antialiased.
    std::set<platform::TColor> shades;
    for (int y = barY; y < 300; ++y)
        for (int x = barX; x < barX + 256; ++x)
            if (Pixel(x, y) != kWhite && RampStep(Pixel(x, y)) < 0) shades.insert(Pixel(x, y));
    EXPECT_TRUE(shades.contains(0x0000FF));
    EXPECT_GT(shades.size(), 5u);
}

TEST(ColourMapsSmallPicture, NoLegendWhereItDoesNotFitAndNoPixelOutsideThePicture) {
    Tprgvar settings(100, 200, kWhite);
    SceneList list(NewBackground());
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    list.CleanAndNumber();
    list.PrepareQueries(settings);
    platform::HeadlessPlatform headless;
    RecordingCanvas canvas;
    ColourMaps maps;
    maps.diffuseness.Draw(list, settings, canvas, headless);
    int filled = 0;
    for (const std::string& call : canvas.calls) {
        if (!call.starts_with("fill ")) continue;
        std::istringstream values(call.substr(5));
        int left, top, right, bottom;
        values >> left >> top >> right >> bottom;
        EXPECT_TRUE(0 <= left && left < right && right <= 200 && 0 <= top && top < bottom && bottom <= 100) << call;
        filled += (right - left) * (bottom - top);
    }
    EXPECT_EQ(filled, 200 * 100) << "every pixel once, and no legend";
}

TEST_F(ColourMapsTest, WithoutLightNothingIsDrawnAndTheMessageSaysWhy) {
    Draw(maps.diffuseness);
    Draw(maps.energyDensity);
    EXPECT_EQ(Pixel(200, 100), kWhite);
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"No diffuseness colours are drawn, because there is no light-source.",
                                        "No energy density colours are drawn, because there is no light-source."}));
}

}  // namespace
