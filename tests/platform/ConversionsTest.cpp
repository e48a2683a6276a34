// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/Conversions.h"
#include "platform/Errors.h"

using namespace brevanto::platform;
using namespace std::string_literals;

namespace {

class ConversionsTest : public ::testing::Test {
protected:
    void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(ConversionsTest, GeneralFloatFormat) {
    // 0.01 as a 32-bit float widens to 0.0099999997764825821.
    EXPECT_EQ(FloatToStr(0.01f), "0.00999999977648258");
    EXPECT_EQ(FloatToStr(1e-6), "1E-6");
    EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FloatToStr(0.01f, 5), "0.01") << "the dialogs' five digits";
    EXPECT_EQ(ShortestFloatToStr(0.1f), "0.1");
}

TEST_F(ConversionsTest, WrittenFloatsReadBackToTheSameFloatUnderEitherSeparator) {
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_FLOAT_EQ(StrToFloat("1.5"), 1.5f) << "either separator is read";
    for (char separator : {'.', ','}) {
        SetDecimalSeparator(separator);
        for (float value : {0.01f, 1.0f / 3.0f, 16777217.0f, 1e-7f, 3.0e38f, -2.5f}) {
            EXPECT_EQ(StrToFloat(FloatToStr(value)), value);
            EXPECT_EQ(StrToFloat(ShortestFloatToStr(value)), value);
        }
    }
}

TEST_F(ConversionsTest, StrictConversionsRefuseAnythingButANumber) {
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    for (const char* bad : {"", "20 ", "2x", "1.5", "2147483648", "-", "$", "99999999999999999999"})
        EXPECT_THROW(StrToInt(bad), ConversionError) << "'" << bad << "'";
    EXPECT_FLOAT_EQ(StrToFloat("1E-6"), 1e-6f);
    for (const char* bad : {"", "1.5 ", "1e", "1e400", "nan", "inf", ".", "1..2", "3e39", "0.5e309"})
        EXPECT_THROW(StrToFloat(bad), ConversionError) << "'" << bad << "'";
}

// Regression test: values too small for a double, such as 1e-400, used to be
// conversion errors, although a float holds them as 0 like any value below
// its smallest.
TEST_F(ConversionsTest, NumbersTooSmallForAFloatReadAsZero) {
    const std::string zeros(400, '0');
    for (const std::string& tiny : {"1e-400"s, "-1e-400"s, "1e-46"s, "0." + zeros + "1", "0,"s + zeros,
                                    "123e-99999999999"s, "0e999999"s, "0." + zeros + "5e10"})
        EXPECT_EQ(StrToFloat(tiny), 0.0f) << tiny;
    EXPECT_EQ(LenientStrToFloat("1e-400"), 0.0f);
    EXPECT_GT(StrToFloat("1e-45"), 0.0f) << "still a number just above the smallest float";
}

TEST_F(ConversionsTest, LenientConversionsReadWhatIsNoNumberAsZero) {
    EXPECT_EQ(LenientStrToInt("-$A"), -10);
    EXPECT_EQ(LenientStrToInt("12abc"), 0);
    EXPECT_EQ(LenientStrToInt("99999999999"), 0);
    EXPECT_FLOAT_EQ(LenientStrToFloat("2,5"), 2.5f);
    EXPECT_FLOAT_EQ(LenientStrToFloat("x"), 0.0f);
}

}  // namespace
