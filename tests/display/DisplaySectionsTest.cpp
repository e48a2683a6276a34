// The displays' scene-file sections.
#include <gtest/gtest.h>

#include "display/Displays.h"
#include "platform/Errors.h"

namespace {

// The three sections as the scene file holds them.
platform::TextFile Saved(const Displays& displays) {
    platform::TextFile file;
    displays.vektorpfeile.SaveToFile(file);
    displays.linien.SaveToFile(file);
    displays.energiekreise.SaveToFile(file);
    return file;
}

TEST(DisplaySectionsTest, SaveThenLoadGivesTheSameSettings) {
    // Every value off its default; 0.3 and 1e-7 are no binary fractions, so
    // the 15 digits written must read back to the very same floats.
    const Displays changed{.vektorpfeile = {{.gitterweite = 13, .colour = 0xFF0000}},
                           .linien = {.linienabstand = 7,
                                      .maxlaenge = -5,
                                      .iterationslaenge = 0.3f,
                                      .abbruchschwelle = 1e-7f,
                                      .colour = 0x008000},
                           .energiekreise = {{.gitterweite = 40, .colour = 0x00FFFF}}};
    platform::TextFile file = Saved(changed);
    // Each keyword line first, then the display's own reader.
    Displays loaded;
    ASSERT_TRUE(file.ReadLine() == "vektorpfeile" && loaded.vektorpfeile.LoadFromFile(file) &&
                file.ReadLine() == "linien" && loaded.linien.LoadFromFile(file) && file.ReadLine() == "energiekreise" &&
                loaded.energiekreise.LoadFromFile(file));
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

}  // namespace
