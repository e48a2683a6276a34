// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Conversions.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/Errors.h"

namespace brevanto::platform {

namespace {

char separator = '.';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The index of the text's first character that is no blank.
size_t FirstNonBlank(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return i;
}

// Whether "$", "0x" or "0X" starts at text[i]; `i` then moves past it.
bool SkipHexPrefix(const std::string& text, size_t& i) {
    if (i < text.size() && text[i] == '$') {
        ++i;
        return true;
    }
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
        return true;
    }
    return false;
}

// The value of the digits from text[i] to the end, decimal or hexadecimal;
// nothing when a character is no digit or the value exceeds 32 bits.
std::optional<int64_t> DigitsValue(const std::string& text, size_t i, bool hex) {
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = hex ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    return value;
}

std::optional<int32_t> ParseInt(const std::string& text) {
    size_t i = FirstNonBlank(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const bool hex = SkipHexPrefix(text, i);
    if (i == text.size()) return std::nullopt;
    const std::optional<int64_t> digits = DigitsValue(text, i, hex);
    if (!digits) return std::nullopt;
    int64_t value = *digits;
    if (hex) {
        // Hexadecimal text names the 32 bits, so $FFFFFFFF is -1.
        auto bits = static_cast<int32_t>(static_cast<uint32_t>(value));
        return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(bits)) : bits;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

// Whether a decimal text that from_chars found out of range is so because
// it is too large (rather than too small): its magnitude is at least 1 when
// a digit other than 0 comes before the point, and the exponent is added.
bool TooLargeForADouble(const std::string& plain) {
    const size_t ePos = plain.find('e');
    const std::string mantissa = plain.substr(0, ePos);
    int64_t exponent = 0;
    if (ePos != std::string::npos) {
        // Saturated: only its sign and rough size matter.
        for (size_t i = ePos + 1; i < plain.size(); ++i)
            if (IsDigit(plain[i])) exponent = std::min<int64_t>(exponent * 10 + (plain[i] - '0'), 1'000'000'000);
        if (plain.find('-', ePos) != std::string::npos) exponent = -exponent;
    }
    // The position of the first significant digit relative to the point.
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return false;  // zero, whatever the exponent
    const int64_t magnitude =
        first < point ? static_cast<int64_t>(point - first) : -static_cast<int64_t>(first - point);
    return magnitude + exponent > 0;
}

// Appends the digits from text[i] on to `plain`, moving `i` past them; how
// many there were.
size_t AppendDigits(const std::string& text, size_t& i, std::string& plain) {
    const size_t first = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) plain += text[i];
    return i - first;
}

// A decimal number as from_chars reads it: without the blanks before it and
// a "+", with "." for a decimal comma and "e" for "E"; nothing when the text
// is no decimal number.
std::optional<std::string> PlainDecimal(const std::string& text) {
    size_t i = FirstNonBlank(text);
    std::string plain;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    size_t mantissaDigits = AppendDigits(text, i, plain);
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        plain += '.';
        ++i;
        mantissaDigits += AppendDigits(text, i, plain);
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        if (AppendDigits(text, i, plain) == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return plain;
}

std::optional<float> ParseFloat(const std::string& text) {
    const std::optional<std::string> decimal = PlainDecimal(text);
    if (!decimal) return std::nullopt;
    const std::string& plain = *decimal;
    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double is 0 as a float too; too large is not a
        // number we can hold.
        if (!TooLargeForADouble(plain)) return plain.front() == '-' ? -0.0f : 0.0f;
        return std::nullopt;
    }
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(value);
}

// The text as a message quotes it; a very long text is cut short.
std::string Quoted(const std::string& text) {
    constexpr size_t kMostShown = 40;
    return "'" + (text.size() > kMostShown ? text.substr(0, kMostShown) + "..." : text) + "'";
}

// General format with `digits` significant digits; plain notation from
// 0.00001 up to `plainDigits` digits before the point.
std::string FormatGeneral(double value, int digits, int plainDigits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));
    // buffer: d.ddddde±xx
    std::string text(buffer);
    size_t ePos = text.find('e');
    int exponent = std::stoi(text.substr(ePos + 1));
    std::string mantissa;
    for (size_t i = 0; i < ePos; ++i)
        if (IsDigit(text[i])) mantissa += text[i];
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string result = value < 0 ? "-" : "";
    const int pointPosition = exponent + 1;  // digits before the decimal point
    const auto digitsBefore = static_cast<size_t>(std::max(pointPosition, 0));
    if (exponent >= -5 && exponent < plainDigits) {
        if (pointPosition <= 0) {
            result.push_back('0');
            result.push_back(separator);
            result.append(static_cast<size_t>(-pointPosition), '0');
            result.append(mantissa);
        } else if (digitsBefore >= mantissa.size()) {
            result.append(mantissa);
            result.append(digitsBefore - mantissa.size(), '0');
        } else {
            result.append(mantissa, 0, digitsBefore);
            result.push_back(separator);
            result.append(mantissa, digitsBefore, std::string::npos);
        }
    } else {
        result.push_back(mantissa[0]);
        if (mantissa.size() > 1) {
            result.push_back(separator);
            result.append(mantissa, 1, std::string::npos);
        }
        result.push_back('E');
        result.append(std::to_string(exponent));
    }
    return result;
}

}  // namespace

char DecimalSeparator() { return separator; }
void SetDecimalSeparator(char newSeparator) { separator = newSeparator; }

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string FloatToStr(double value, int digits) { return FormatGeneral(value, digits, digits); }

std::string NumberWithPoint(double value, int digits) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return std::string(text, result.ptr);
}

std::string ShortestFloatToStr(float value) {
    constexpr int kFloatDigits = 9;  // enough for every 32-bit float
    for (int digits = 1; digits < kFloatDigits; ++digits) {
        std::string text = FormatGeneral(value, digits, 15);
        if (ParseFloat(text) == value) return text;
    }
    return FormatGeneral(value, kFloatDigits, 15);
}

std::optional<int32_t> TryStrToInt(const std::string& text) { return ParseInt(text); }

std::optional<float> TryStrToFloat(const std::string& text) { return ParseFloat(text); }

int32_t StrToInt(const std::string& text) {
    if (auto value = ParseInt(text)) return *value;
    throw ConversionError(Quoted(text) + " is not a valid integer value");
}

float StrToFloat(const std::string& text) {
    if (auto value = ParseFloat(text)) return *value;
    throw ConversionError(Quoted(text) + " is not a valid floating point value");
}

int32_t LenientStrToInt(const std::string& text) { return ParseInt(text).value_or(0); }

float LenientStrToFloat(const std::string& text) { return ParseFloat(text).value_or(0.0f); }

}  // namespace brevanto::platform
