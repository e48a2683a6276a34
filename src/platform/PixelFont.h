// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace brevanto::platform {

// The one small font of the program's pictures, the same on the window and
// in the command-line tool's pictures: 5 x 7 dots a character, set 6 dots
// apart, each dot a square of kDot pixels. Printable ASCII only; other
// characters show as '?'.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;
inline constexpr int kDot = 2;
inline constexpr int kTextHeight = kGlyphHeight * kDot;

// The columns of a character from left to right, bit 0 the top row.
const std::array<uint8_t, kGlyphWidth>& Glyph(char c);

// The width of the text in pixels, from its first dot to its last column.
int TextWidth(const std::string& text);

}  // namespace brevanto::platform
