// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace brevanto::platform {

// The program's font for text on its pictures: DejaVu Sans, built into the
// program so that the window and the command-line tool draw the same pixels
// on every machine, rendered antialiased by FreeType. Sizes are the em size
// in pixels, as an SVG's font-size.
struct TextExtent {
    int width = 0;     // from the pen's start to its end or the ink's, whichever is further
    int height = 0;    // from the line's top to its bottom
    int baseline = 0;  // from the line's top
};

TextExtent MeasureText(const std::string& text, int pixelSize);

// The text's coverage, 0 (none) to 255 (full), over its extent's box.
struct TextCoverage {
    TextExtent extent;
    std::vector<uint8_t> values;  // row by row

    uint8_t At(int x, int y) const {
        return values[static_cast<size_t>(y) * static_cast<size_t>(extent.width) + static_cast<size_t>(x)];
    }
};

TextCoverage RenderText(const std::string& text, int pixelSize);

// The family name an SVG names for the font.
inline constexpr const char* kTextFontFamily = "DejaVu Sans";

}  // namespace brevanto::platform
