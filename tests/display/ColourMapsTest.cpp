// The colour maps of diffuseness and energy density, their colour scale,
// legend and font.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "RecordingCanvas.h"
#include "display/ColourMaps.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/HeadlessPlatform.h"
#include "platform/RasterBitmap.h"
#include "radiation/Berechnen.h"

namespace {

constexpr platform::TColor kWhite = 0xFFFFFF;

// Light whose energy density is the point's x, all travelling along +x.
class EnergyGrowingWithX : public Tszeneobjekt {
public:
    void FlowContributionsAt(int32_t x, int32_t, const SceneList&, int32_t, FlowVectorList& result) const override {
        if (x > 0) result.Prepend({static_cast<float>(x), 0});
    }
};

// A white picture of the settings' size, an empty scene (the background
// radiation at 0) and the two maps.
class ColourMapsTest : public ::testing::Test {
protected:
    explicit ColourMapsTest(int32_t width = 400, int32_t height = 300) : settings(height, width, kWhite) {
        picture.GetCanvas().SetBrushColor(kWhite);
        picture.GetCanvas().FillRect(0, 0, width, height);
    }
    ~ColourMapsTest() override { SetThreadCount(0); }

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        list.Append(std::move(object));
        return added;
    }
    void Prepare() {
        list.CleanAndNumber();
        list.PrepareQueries(settings);
    }
    // A beam of `strength` across the picture's upper part, 100 <= x <= 300,
    // travelling up from y = 150 (and down from it).
    void Beam(float strength) {
        Add(std::make_unique<TObjektParallel>(100, 150, 300, 150)).staerke = strength;
        Prepare();
    }
    platform::TColor Pixel(int x, int y) const { return picture.Pixel(x, y); }

    platform::HeadlessPlatform headless;
    Tprgvar settings;
    SceneList list{NewBackground()};
    platform::RasterBitmap picture{static_cast<int>(settings.breite), static_cast<int>(settings.hoehe)};
    ColourMaps maps;
};

TEST(ColourScale, RampRunsFromDarkVioletToYellowGrowingLighter) {
    EXPECT_EQ(RampColour(0), platform::RgbColour(68, 1, 84));
    EXPECT_EQ(RampColour(1), platform::RgbColour(253, 231, 37));
    EXPECT_EQ(RampColour(-3), RampColour(0));
    EXPECT_EQ(RampColour(7), RampColour(1));
    EXPECT_EQ(RampColour(std::nan("")), RampColour(0));
    auto lightness = [](platform::TColor c) {
        return 0.299 * platform::RedOf(c) + 0.587 * platform::GreenOf(c) + 0.114 * platform::BlueOf(c);
    };
    // Neighbouring steps may round to the same lightness; eight steps apart
    // they never do.
    for (int i = 1; i <= 255; ++i)
        EXPECT_GE(lightness(RampColour(i / 255.0)), lightness(RampColour((i - 1) / 255.0))) << i;
    for (int i = 8; i <= 255; ++i)
        EXPECT_GT(lightness(RampColour(i / 255.0)), lightness(RampColour((i - 8) / 255.0))) << i;
}

TEST(ColourScale, LinearAndLogarithmicScalesPlaceValuesOnTheRamp) {
    const ValueScale linear{0, 8, false};
    EXPECT_DOUBLE_EQ(linear.Fraction(2), 0.25);
    EXPECT_DOUBLE_EQ(linear.Fraction(-1), 0);
    EXPECT_DOUBLE_EQ(linear.Fraction(9), 1);
    EXPECT_DOUBLE_EQ(linear.ValueAt(0.5), 4);
    const ValueScale decades{0.01, 100, true};
    EXPECT_NEAR(decades.Fraction(1), 0.5, 1e-12);
    EXPECT_NEAR(decades.Fraction(0.1), 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(decades.Fraction(0), 0);
    EXPECT_NEAR(decades.ValueAt(0.5), 1, 1e-12);
    EXPECT_DOUBLE_EQ(ValueScale({3, 3, true}).Fraction(3), 0) << "one value only: no NaN";
}

TEST(ColourScale, LegendNumbersHaveThreeDigitsAndAPoint) {
    EXPECT_EQ(LegendNumber(0), "0");
    EXPECT_EQ(LegendNumber(0.5), "0.5");
    EXPECT_EQ(LegendNumber(123.456), "123");
    EXPECT_EQ(LegendNumber(0.000123456), "0.000123");
    EXPECT_EQ(LegendNumber(12345), "1.23e+04");
}

TEST_F(ColourMapsTest, DiffusenessOfASingleBeamIsZeroInTheBeamAndMaskedWhereNoLightIs) {
    Beam(3);
    maps.diffuseness.Draw(list, settings, picture.GetCanvas(), headless);
    EXPECT_TRUE(headless.messages.empty());
    for (const auto& [x, y] : {std::pair{110, 20}, {200, 100}, {290, 140}, {200, 160}})
        EXPECT_EQ(Pixel(x, y), RampColour(0)) << x << "," << y;
    for (const auto& [x, y] : {std::pair{10, 10}, {90, 100}, {310, 100}, {390, 10}})
        EXPECT_EQ(Pixel(x, y), kWhite) << "no light at " << x << "," << y;
    EXPECT_EQ(Pixel(200, 150), 0) << "the emitter drawn over the colours";
}

// Regression test: grid points right on an object get no light (the object
// blocks every path that ends on it) and left holes three pixels wide along
// lit surfaces.
TEST_F(ColourMapsTest, AGridPointOnAnObjectLeavesNoHoleInTheLight) {
    auto& frosted = Add(std::make_unique<TObjektSpiegel>(120, 100, 280, 100));  // on the grid row y = 100
    frosted.diftrans = 100;
    Beam(3);
    settings.berechnet = false;
    platform::HeadlessWindow window(400, 300);
    Calculate(list, settings, window, headless.Progress());
    list.PrepareQueries(settings);
    EXPECT_EQ(list.EnergyDensityAt(200, 100), 0) << "the premise: no light on the diffusor's line";
    maps.energyDensity.Draw(list, settings, picture.GetCanvas(), headless);
    for (const int y : {98, 99, 101, 102}) EXPECT_NE(Pixel(200, y), kWhite) << y;
}

TEST_F(ColourMapsTest, TheCentreOfAGlowingFrameIsFullyDiffuse) {
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    Prepare();
    maps.diffuseness.Draw(list, settings, picture.GetCanvas(), headless);
    // The frame's light cancels at its centre to far less than half a step
    // of the ramp (1/510).
    EXPECT_EQ(Pixel(200, 150), RampColour(1));
}

TEST_F(ColourMapsTest, EnergyDensityIsInterpolatedBilinearlyBetweenGridPoints) {
    Add(std::make_unique<EnergyGrowingWithX>());
    Prepare();
    maps.energyDensity.gitterweite = 10;
    maps.energyDensity.Draw(list, settings, picture.GetCanvas(), headless);
    // The grid's last column lies at x = 400: E runs up to 400, and a linear
    // E comes out exactly between the grid points.
    for (const int x : {10, 15, 17, 123, 250, 399}) EXPECT_EQ(Pixel(x, 40), RampColour(x / 400.0)) << x;
    EXPECT_EQ(Pixel(3, 40), RampColour(10 / 400.0)) << "left of the first column: its value";
}

TEST_F(ColourMapsTest, LogarithmicEnergyDensitySpansFourDecadesBelowTheLargest) {
    Add(std::make_unique<EnergyGrowingWithX>());
    Prepare();
    maps.energyDensity.gitterweite = 4;
    maps.energyDensity.logarithmic = true;
    maps.energyDensity.Draw(list, settings, picture.GetCanvas(), headless);
    // E from 4 to 400 on the grid: two decades, the smallest at the ramp's start.
    EXPECT_EQ(Pixel(4, 40), RampColour(0));
    EXPECT_EQ(Pixel(40, 40), RampColour(0.5));
    EXPECT_EQ(Pixel(399, 40), RampColour(1));
}

TEST_F(ColourMapsTest, TheLegendShowsTheRampAndItsValuesInTheLowerRightCorner) {
    Beam(3);
    maps.energyDensity.colour = 0x0000FF;
    maps.energyDensity.Draw(list, settings, picture.GetCanvas(), headless);
    // The box: 256 + 2 * 8 wide, 8 pixels from the right and the bottom.
    const int left = 400 - 8 - 272, bottom = 300 - 8;
    EXPECT_EQ(Pixel(left, bottom - 1), 0x0000FF) << "its frame";
    EXPECT_EQ(Pixel(left + 1, bottom - 2), kWhite);
    const int barY = bottom - 70 + 8 + 14 + 5 + 8;
    EXPECT_EQ(Pixel(left + 8, barY), RampColour(0));
    EXPECT_EQ(Pixel(left + 8 + 255, barY), RampColour(1));
    EXPECT_EQ(Pixel(left + 8 + 256, barY), kWhite);
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

TEST_F(ColourMapsTest, MapsAreTheSameOnOneAndOnFourThreads) {
    Beam(3);
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 0.5f;
    Prepare();
    SetThreadCount(1);
    maps.diffuseness.Draw(list, settings, picture.GetCanvas(), headless);
    const std::vector<uint8_t> one = picture.BmpBytes();
    SetThreadCount(4);
    maps.diffuseness.Draw(list, settings, picture.GetCanvas(), headless);
    EXPECT_EQ(picture.BmpBytes(), one);
}

TEST_F(ColourMapsTest, WithoutLightNothingIsDrawnAndTheMessageSaysWhy) {
    Prepare();
    const std::vector<uint8_t> before = picture.BmpBytes();
    maps.diffuseness.Draw(list, settings, picture.GetCanvas(), headless);
    maps.energyDensity.Draw(list, settings, picture.GetCanvas(), headless);
    EXPECT_EQ(picture.BmpBytes(), before);
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"No diffuseness colours are drawn, because there is no light-source.",
                                        "No energy density colours are drawn, because there is no light-source."}));
}

TEST_F(ColourMapsTest, EnergyDensityDialogSetsSpacingScaleAndColourOnlyOnOk) {
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["gitterweite"].text, "4");
        EXPECT_TRUE(dialog["linear"].checked);
        dialog["gitterweite"].text = "6";
        dialog["linear"].checked = false;
        dialog["logarithmic"].checked = true;
        dialog["color"].selected = 1;
        return platform::ModalResult::OK;
    });
    maps.energyDensity.Edit(headless);
    EXPECT_EQ(maps.energyDensity.gitterweite, 6);
    EXPECT_TRUE(maps.energyDensity.logarithmic);
    EXPECT_EQ(maps.energyDensity.colour, 0x0000FF);

    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_TRUE(dialog["logarithmic"].checked) << "shows the current scale";
        dialog["gitterweite"].text = "9";
        dialog["linear"].checked = true;
        dialog["logarithmic"].checked = false;
        return platform::ModalResult::Cancel;
    });
    maps.energyDensity.Edit(headless);
    EXPECT_EQ(maps.energyDensity.gitterweite, 6);
    EXPECT_TRUE(maps.energyDensity.logarithmic);
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Energy density map", "Energy density map"}));
}

}  // namespace
