#include "HeadlessFixture.h"
#include "platform/Errors.h"

namespace {

using SettingsTest = HeadlessSceneTest;

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
