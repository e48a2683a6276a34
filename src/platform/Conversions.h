// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Conversions between numbers and text as the dialogs and the scene file use
// them. Floats are written with the locale's decimal separator.
namespace brevanto::platform {

char DecimalSeparator();
void SetDecimalSeparator(char separator);

std::string IntToStr(int64_t value);

// General format: up to `digits` significant digits, no trailing zeros, plain
// notation from 0.00001 up to `digits` digits before the point, otherwise
// exponent notation such as 1E-6 or 1.5E20.
std::string FloatToStr(double value, int digits = 15);

// `digits` significant digits, the shortest general form, and always "."
// whatever the decimal separator: numbers for other programs to read.
std::string NumberWithPoint(double value, int digits);

// The shortest general-format text that reads back to the same 32-bit float:
// what the object dialogs show, so that confirming a dialog unchanged keeps
// every value.
std::string ShortestFloatToStr(float value);

// Strict conversions; text that is not a number raises ConversionError.
// Integers: leading blanks, optional sign, decimal digits or hexadecimal after
// "$" or "0x", nothing after them. Floats: either "." or "," as the decimal
// point and an optional exponent; the value must fit a 32-bit float.
int32_t StrToInt(const std::string& text);
float StrToFloat(const std::string& text);

// The same conversions, with nothing for text that is not a number.
std::optional<int32_t> TryStrToInt(const std::string& text);
std::optional<float> TryStrToFloat(const std::string& text);

// Lenient conversions of the dialogs that never report an error: text that is
// not a well-formed number (an empty field among it) gives 0.
int32_t LenientStrToInt(const std::string& text);
float LenientStrToFloat(const std::string& text);

}  // namespace brevanto::platform
