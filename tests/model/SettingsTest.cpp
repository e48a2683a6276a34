#include "HeadlessFixture.h"
#include "platform/Errors.h"

namespace {

using SettingsTest = HeadlessSceneTest;

TEST_F(SettingsTest, SectionReadsBackAsWritten) {
    Tprgvar written(1, 2, 3);
    written.sellaenge = 7;
    written.richtungprosel = 36;
    written.abbruchgenauigkeit = 0.01f;
    written.maximaleiterationen = 3;
    platform::TextFile file;
    written.SaveSettings(file);
    EXPECT_EQ(file.Text(),
              "prgvar\r\nbegin\r\nsellaenge=7\r\nrichtungprosel=36\r\nabbruchgenauigkeit=0.00999999977648258\r\n"
              "maximaleiterationen=3\r\nend\r\n");
    auto reading = platform::TextFile::FromText(file.Text());
    ASSERT_EQ(reading.ReadLine(), "prgvar");
    ASSERT_TRUE(settings.LoadSettings(reading));
    EXPECT_EQ(settings.sellaenge, 7);
    EXPECT_EQ(settings.richtungprosel, 36);
    EXPECT_EQ(settings.abbruchgenauigkeit, 0.01f);
    EXPECT_EQ(settings.maximaleiterationen, 3);
}

// A misspelt key stops the section there, a malformed number is a conversion
// error, and 0 is stored as read: the computation refuses it instead.
TEST_F(SettingsTest, DamagedSectionStopsWhereItGoesWrong) {
    auto file = platform::TextFile::FromText(
        "begin\r\nsellaenge=9\r\nrichtungsprosel=4\r\nabbruchgenauigkeit=2\r\nmaximaleiterationen=3\r\nend\r\n");
    EXPECT_FALSE(settings.LoadSettings(file));
    EXPECT_EQ(settings.sellaenge, 9);
    EXPECT_EQ(settings.richtungprosel, 102);
    EXPECT_EQ(file.ReadLine(), "abbruchgenauigkeit=2") << "no further line was read";

    auto bad = platform::TextFile::FromText("begin\r\nsellaenge=five\r\n");
    EXPECT_THROW(settings.LoadSettings(bad), platform::ConversionError);
    auto zero = platform::TextFile::FromText(
        "begin\r\nsellaenge=0\r\nrichtungprosel=102\r\nabbruchgenauigkeit=1\r\nmaximaleiterationen=50\r\nend\r\n");
    EXPECT_TRUE(settings.LoadSettings(zero));
    EXPECT_THROW(settings.CheckResolution(), std::runtime_error);
}

}  // namespace
