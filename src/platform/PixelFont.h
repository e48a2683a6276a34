#pragma once
#include <array>
#include <cstdint>

namespace platform {

// The one small font of the program's pictures, the same on the window and
// in the command-line tool's pictures: 5 x 7 pixels a character, set 6
// pixels apart. Printable ASCII only; other characters show as '?'.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;

// The columns of a character from left to right, bit 0 the top row.
const std::array<uint8_t, kGlyphWidth>& Glyph(char c);

}  // namespace platform
