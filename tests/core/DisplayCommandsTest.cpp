#include <gtest/gtest.h>

#include <algorithm>

#include "model/Programvar.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Brevanto.h"

namespace {

// The main window's display commands on a headless 400 x 300 window, with one
// emitter of parallel light across the middle.
class DisplayCommandsTest : public ::testing::Test {
protected:
    DisplayCommandsTest() {
        platform::SetCurrentPlatform(&headless);
        auto emitter = std::make_unique<TObjektParallel>(100, 150, 300, 150);
        emitter->staerke = 3;
        emitter->colour = 0x0000FF;
        form.SceneList().Append(std::move(emitter));
    }
    ~DisplayCommandsTest() override { platform::SetCurrentPlatform(nullptr); }

    std::vector<platform::TColor> WindowPixels() const {
        std::vector<platform::TColor> pixels;
        const platform::RasterBitmap& surface = window.Surface();
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x) pixels.push_back(surface.Pixel(x, y));
        return pixels;
    }

    // Pixels of the colour, counted on the window.
    size_t Count(platform::TColor colour) const {
        const std::vector<platform::TColor> pixels = WindowPixels();
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
    }

    size_t IterationTexts() const {
        return static_cast<size_t>(std::count_if(
            headless.progressTexts.begin(), headless.progressTexts.end(),
            [](const std::string& text) { return text.find("radiositys") != std::string::npos; }));
    }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{400, 300};
    TForm1 form{headless, window};
};

TEST_F(DisplayCommandsTest, ArrowsDrawOverTheSceneAndAPlainRedrawRemovesThem) {
    form.SetDrawingMode("einestromlinie");
    form.Darstellungsformen1Click();
    const std::vector<platform::TColor> plain = WindowPixels();

    form.Displays().vektorpfeile.colour = 0xFF0000;
    form.Vektorpfeile1Click();
    EXPECT_TRUE(prgvar().zeichenmodus.empty());
    EXPECT_TRUE(prgvar().berechnet);
    EXPECT_NE(WindowPixels(), plain);
    EXPECT_GT(Count(0xFF0000), 0u);
    EXPECT_GT(Count(0x0000FF), 0u);  // the emitter is drawn under the arrows

    form.Darstellungsformen1Click();
    EXPECT_EQ(WindowPixels(), plain);
}

TEST_F(DisplayCommandsTest, SecondRequestComputesNothingButDrawsAgain) {
    form.Vektorpfeile1Click();
    EXPECT_EQ(IterationTexts(), 1u);  // a scene of emitters balances in one pass
    const std::vector<platform::TColor> first = WindowPixels();

    form.Darstellungsformen1Click();
    form.Vektorpfeile1Click();
    EXPECT_EQ(IterationTexts(), 1u);
    EXPECT_EQ(WindowPixels(), first);
}

TEST_F(DisplayCommandsTest, CirclesAndStreamLinesDrawOverTheScene) {
    form.Darstellungsformen1Click();
    const std::vector<platform::TColor> plain = WindowPixels();

    form.Displays().energiekreise.colour = 0x008000;
    form.Kreise1Click();
    EXPECT_GT(Count(0x008000), 0u);

    form.Displays().linien.colour = 0x00FFFF;
    form.Stromlinien1Click();
    EXPECT_EQ(Count(0x008000), 0u);  // the redraw wiped the circles
    EXPECT_GT(Count(0x00FFFF), 0u);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(DisplayCommandsTest, SingleStreamLinesAccumulate) {
    form.Displays().linien.colour = 0x00FFFF;
    form.TraceSingleStreamLine(150, 100);
    const size_t one = Count(0x00FFFF);
    EXPECT_GT(one, 0u);

    form.TraceSingleStreamLine(250, 100);
    EXPECT_GT(Count(0x00FFFF), one);
    EXPECT_EQ(IterationTexts(), 1u);
}

TEST_F(DisplayCommandsTest, GridDisplaysOverMirrorsRepeatExactly) {
    // The grid points are computed side by side; a mirror's elements and the
    // frame are read by all threads at once, and must give the same picture
    // every time.
    form.SceneList().Background().staerke = 0.5f;
    auto mirror = std::make_unique<TObjektSpiegel>(120, 60, 280, 90);
    mirror->dirref = 60;
    mirror->difref = 30;
    form.SceneList().Append(std::move(mirror));
    auto lambert = std::make_unique<TObjektLambert>(200, 250, 260, 230);
    lambert->staerke = 4;
    form.SceneList().Append(std::move(lambert));

    form.Vektorpfeile1Click();
    const std::vector<platform::TColor> arrows = WindowPixels();
    form.Vektorpfeile1Click();
    EXPECT_EQ(WindowPixels(), arrows);

    form.Kreise1Click();
    const std::vector<platform::TColor> circles = WindowPixels();
    form.Kreise1Click();
    EXPECT_EQ(WindowPixels(), circles);
    EXPECT_NE(circles, arrows);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(DisplayCommandsTest, ParameterCommandsOpenTheDisplaysDialogs) {
    form.Vektorpfeile2Click();
    form.Energieflussfeldlinien1Click();
    form.Energiekreise1Click();
    EXPECT_EQ(headless.shownDialogs,
              (std::vector<std::string>{"Arrows of energy flow density", "Stream-lines", "Circles of energy density"}));
}

}  // namespace
