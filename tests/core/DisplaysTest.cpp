// The displays' scene-file sections and the main window's display commands.
#include <gtest/gtest.h>

#include "display/Displays.h"
#include "model/Programvar.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/Errors.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Brevanto.h"

namespace {

// The three sections as the scene file holds them.
platform::TextFile Saved(const TDisplays& displays) {
    platform::TextFile file;
    displays.vektorpfeile.SaveToFile(file);
    displays.linien.SaveToFile(file);
    displays.energiekreise.SaveToFile(file);
    return file;
}

TEST(DisplaySectionsTest, SaveThenLoadGivesTheSameSettings) {
    // Every value off its default; 0.3 and 1e-7 are no binary fractions, so
    // the 15 digits written must read back to the very same floats.
    const TDisplays changed{.vektorpfeile = {{.gitterweite = 13, .colour = 0xFF0000}},
                            .linien = {.linienabstand = 7, .maxlaenge = -5, .iterationslaenge = 0.3f,
                                       .abbruchschwelle = 1e-7f, .colour = 0x008000},
                            .energiekreise = {{.gitterweite = 40, .colour = 0x00FFFF}}};
    platform::TextFile file = Saved(changed);
    // Each keyword line first, then the display's own reader.
    TDisplays loaded;
    ASSERT_TRUE(file.ReadLine() == "vektorpfeile" && loaded.vektorpfeile.LoadFromFile(file) &&
                file.ReadLine() == "linien" && loaded.linien.LoadFromFile(file) &&
                file.ReadLine() == "energiekreise" && loaded.energiekreise.LoadFromFile(file));
    EXPECT_EQ(Saved(loaded).Lines(), file.Lines());
}

TEST(DisplaySectionsTest, DamagedSectionGivesFalseOrAConversionError) {
    // A mismatched key stops the reader; the values before it stay and
    // nothing is read past it.
    auto file = platform::TextFile::FromText(
        "begin\nlinienabstand=9\niterationslaenge=4\nabbruchschwelle=0.5\ncolour=255\nmaxlaenge=3\nend\n");
    TLinien lines;
    EXPECT_FALSE(lines.LoadFromFile(file));
    EXPECT_EQ(lines.abbruchschwelle, 0.5f);
    EXPECT_EQ(lines.maxlaenge, 1000);
    EXPECT_EQ(file.ReadLine(), "maxlaenge=3");

    auto noNumber = platform::TextFile::FromText("begin\ncolor=0\ngitterweite=twenty\nend\n");
    EXPECT_THROW(TEnergiekreise().LoadFromFile(noNumber), platform::ConversionError);
}

// The main window's display commands on a headless 400 x 300 window, with one
// emitter of parallel light across the middle.
class DisplayCommandsTest : public ::testing::Test {
protected:
    DisplayCommandsTest() {
        platform::SetCurrentPlatform(&headless);
        auto emitter = std::make_unique<TObjektParallel>(100, 150, 300, 150);
        emitter->staerke = 3;
        form.SceneList().Append(std::move(emitter));
    }
    ~DisplayCommandsTest() override { platform::SetCurrentPlatform(nullptr); }

    std::vector<uint8_t> WindowPixels() const { return window.Surface().BmpBytes(); }
    // Pixels of the colour on the window.
    int Count(platform::TColor colour) const {
        int count = 0;
        for (int y = 0; y < window.Surface().Height(); ++y)
            for (int x = 0; x < window.Surface().Width(); ++x) count += window.Surface().Pixel(x, y) == colour;
        return count;
    }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{400, 300};
    TForm1 form{headless, window};
};

TEST_F(DisplayCommandsTest, DisplayDrawsAfterComputingOverAFreshRedraw) {
    form.SetDrawingMode("einestromlinie");
    form.Darstellungsformen1Click();
    const std::vector<uint8_t> plain = WindowPixels();

    form.Displays().vektorpfeile.colour = 0x0000FF;
    form.Vektorpfeile1Click();
    EXPECT_TRUE(prgvar().zeichenmodus.empty());
    EXPECT_TRUE(prgvar().berechnet);
    EXPECT_NE(WindowPixels(), plain);

    form.Displays().linien.colour = 0x00FFFF;
    form.Stromlinien1Click();
    EXPECT_EQ(Count(0x0000FF), 0);  // the redraw wiped the arrows
    EXPECT_GT(Count(0x00FFFF), 0);
    form.Darstellungsformen1Click();
    EXPECT_EQ(WindowPixels(), plain);
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
    const std::vector<uint8_t> arrows = WindowPixels();
    form.Vektorpfeile1Click();
    EXPECT_EQ(WindowPixels(), arrows);
    form.Kreise1Click();
    const std::vector<uint8_t> circles = WindowPixels();
    form.Kreise1Click();
    EXPECT_EQ(WindowPixels(), circles);
    EXPECT_NE(circles, arrows);
    EXPECT_TRUE(headless.messages.empty());
}

}  // namespace
