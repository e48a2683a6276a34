#include <gtest/gtest.h>

#include <functional>

#include "display/Displays.h"
#include "platform/Conversions.h"
#include "platform/Errors.h"

namespace {

using Lines = std::vector<std::string>;

Lines Saved(const TDisplays& displays) {
    platform::TextFile file;
    displays.vektorpfeile.SaveToFile(file);
    displays.linien.SaveToFile(file);
    displays.energiekreise.SaveToFile(file);
    return file.Lines();
}

platform::TextFile FileOf(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return platform::TextFile::FromText(text);
}

// Reads the three sections the way the scene loader does: each keyword line
// first, then the display's own reader.
bool Load(TDisplays& displays, platform::TextFile& file) {
    return file.ReadLine() == "vektorpfeile" && displays.vektorpfeile.LoadFromFile(file) &&
           file.ReadLine() == "linien" && displays.linien.LoadFromFile(file) &&
           file.ReadLine() == "energiekreise" && displays.energiekreise.LoadFromFile(file);
}

class DisplaySectionsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetDecimalSeparator('.'); }
};

TEST_F(DisplaySectionsTest, DefaultsAreWrittenLineByLine) {
    EXPECT_EQ(Saved(TDisplays{}),
              (Lines{"vektorpfeile", "begin", "color=0", "gitterweite=20", "end",
                     "linien", "begin", "linienabstand=20", "iterationslaenge=2",
                     "abbruchschwelle=0.00999999977648258", "color=0", "maxlaenge=1000", "end",
                     "energiekreise", "begin", "color=0", "gitterweite=20", "end"}));
}

TEST_F(DisplaySectionsTest, SaveLoadSaveGivesTheSameLines) {
    TDisplays changed;
    changed.vektorpfeile.gitterweite = 13;
    changed.vektorpfeile.colour = 0xFF0000;
    changed.linien.linienabstand = 7;
    changed.linien.maxlaenge = -5;
    changed.linien.iterationslaenge = 0.3f;
    changed.linien.abbruchschwelle = 1e-7f;
    changed.linien.colour = 0x008000;
    changed.energiekreise.gitterweite = 40;
    changed.energiekreise.colour = 0x00FFFF;
    for (char separator : {'.', ','}) {
        platform::SetDecimalSeparator(separator);
        const Lines saved = Saved(changed);
        platform::TextFile file = FileOf(saved);
        TDisplays loaded;
        ASSERT_TRUE(Load(loaded, file)) << separator;
        EXPECT_EQ(Saved(loaded), saved) << separator;
        // A float written with 15 digits reads back to the same float.
        EXPECT_EQ(loaded.linien.iterationslaenge, 0.3f);
        EXPECT_EQ(loaded.linien.abbruchschwelle, 1e-7f);
        EXPECT_EQ(loaded.vektorpfeile.gitterweite, 13);
        EXPECT_EQ(loaded.energiekreise.colour, 0x00FFFF);
    }
}

// Every reader stops at the first line that does not match, whatever it is,
// and keeps what it read before. Each row damages one line of a section.
TEST_F(DisplaySectionsTest, DamagedLineStopsTheReaderWithFalse) {
    struct Reader {
        const char* name;
        std::function<bool(TDisplays&, platform::TextFile&)> load;
        Lines section;  // without the keyword line
    };
    const Lines saved = Saved(TDisplays{});
    const std::vector<Reader> readers{
        {"arrows", [](TDisplays& d, platform::TextFile& f) { return d.vektorpfeile.LoadFromFile(f); },
         Lines(saved.begin() + 1, saved.begin() + 5)},
        {"stream lines", [](TDisplays& d, platform::TextFile& f) { return d.linien.LoadFromFile(f); },
         Lines(saved.begin() + 6, saved.begin() + 13)},
        {"circles", [](TDisplays& d, platform::TextFile& f) { return d.energiekreise.LoadFromFile(f); },
         Lines(saved.begin() + 14, saved.end())},
    };
    for (const Reader& reader : readers) {
        for (size_t damaged = 0; damaged < reader.section.size(); ++damaged) {
            for (const std::string& replacement : {std::string(), std::string("x"), std::string("colour=1")}) {
                Lines lines = reader.section;
                lines[damaged] = replacement;
                platform::TextFile file = FileOf(lines);
                TDisplays displays;
                EXPECT_FALSE(reader.load(displays, file)) << reader.name << " line " << damaged;
            }
        }
        // A section cut short reads empty lines past the end of the file.
        for (size_t kept = 0; kept < reader.section.size(); ++kept) {
            platform::TextFile file = FileOf(Lines(reader.section.begin(), reader.section.begin() + kept));
            TDisplays displays;
            EXPECT_FALSE(reader.load(displays, file)) << reader.name << " cut after " << kept;
        }
    }
}

TEST_F(DisplaySectionsTest, ValuesBeforeTheMismatchStay) {
    platform::TextFile file = FileOf({"begin", "linienabstand=9", "iterationslaenge=4", "abbruchschwelle=0.5",
                                      "colour=255", "maxlaenge=3", "end"});
    TLinien lines;
    EXPECT_FALSE(lines.LoadFromFile(file));
    EXPECT_EQ(lines.linienabstand, 9);
    EXPECT_EQ(lines.iterationslaenge, 4.0f);
    EXPECT_EQ(lines.abbruchschwelle, 0.5f);
    EXPECT_EQ(lines.colour, 0);
    EXPECT_EQ(lines.maxlaenge, 1000);
    EXPECT_EQ(file.ReadLine(), "maxlaenge=3");  // nothing read past the mismatch
}

TEST_F(DisplaySectionsTest, ValueThatIsNotANumberIsAConversionError) {
    const std::vector<Lines> sections{
        {"begin", "color=0", "gitterweite=twenty", "end"},
        {"begin", "color=", "gitterweite=20", "end"},
        {"begin", "color=0", "gitterweite=99999999999", "end"},
    };
    for (const Lines& section : sections) {
        platform::TextFile file = FileOf(section);
        TVektorpfeile arrows;
        EXPECT_THROW(arrows.LoadFromFile(file), platform::ConversionError) << section[2];
        platform::TextFile again = FileOf(section);
        TEnergiekreise circles;
        EXPECT_THROW(circles.LoadFromFile(again), platform::ConversionError) << section[2];
    }
    for (const char* step : {"iterationslaenge=2;5", "iterationslaenge=1e99", "iterationslaenge="}) {
        platform::TextFile file = FileOf({"begin", "linienabstand=20", step, "abbruchschwelle=0.01", "color=0",
                                          "maxlaenge=1000", "end"});
        TLinien lines;
        EXPECT_THROW(lines.LoadFromFile(file), platform::ConversionError) << step;
        EXPECT_EQ(lines.iterationslaenge, 2.0f) << step;
    }
}

}  // namespace
