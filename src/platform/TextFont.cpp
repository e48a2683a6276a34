// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <mutex>
#include <stdexcept>

// The font file's bytes, placed in the program by the assembler.
asm(".pushsection .rodata\n"
    ".balign 16\n"
    "brevanto_text_font_begin:\n"
    ".incbin \"" BREVANTO_TEXT_FONT_FILE
    "\"\n"
    "brevanto_text_font_end:\n"
    ".popsection\n");
extern "C" const unsigned char brevanto_text_font_begin[];
extern "C" const unsigned char brevanto_text_font_end[];

namespace brevanto::platform {

namespace {

// The code point of the UTF-8 sequence at text[i]; its length, 0 when the
// bytes there start no valid sequence.
struct Decoded {
    char32_t point;
    size_t length;
};

Decoded DecodeAt(const std::string& text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) return {0, 0};
    char32_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if (next >> 6 != 2) return {0, 0};
        point = point << 6 | (next & 0x3F);
    }
    return {point, static_cast<size_t>(length)};
}

// The code points of UTF-8 text; a byte that starts no valid sequence reads
// as U+FFFD.
std::vector<char32_t> CodePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (size_t i = 0; i < text.size();) {
        const Decoded decoded = DecodeAt(text, i);
        points.push_back(decoded.length > 0 ? decoded.point : U'\uFFFD');
        i += std::max<size_t>(decoded.length, 1);
    }
    return points;
}

// FreeType's library and the face, shared by every thread that draws text.
class Face {
public:
    static Face& Shared() {
        static Face face;
        return face;
    }

    // Calls visit(glyph slot, pen x) for each character, on one thread at a
    // time; returns the extent.
    template <class Visit>
    TextExtent Lay(const std::string& text, int pixelSize, FT_Int32 loadFlags, Visit visit) {
        const std::lock_guard lock(mutex);
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::clamp(pixelSize, 1, 1000)));
        const FT_Size_Metrics& metrics = face->size->metrics;
        TextExtent extent;
        extent.baseline = static_cast<int>((metrics.ascender + 63) >> 6);
        extent.height = extent.baseline + static_cast<int>((-metrics.descender + 63) >> 6);
        int pen = 0;
        for (const char32_t point : CodePoints(text)) {
            if (FT_Load_Char(face, point, loadFlags) != 0) continue;
            visit(face->glyph, pen);
            const FT_Glyph_Metrics& glyph = face->glyph->metrics;
            // The ink may reach past the advance (an italic's or an f's overhang).
            extent.width = std::max(extent.width, pen + static_cast<int>((glyph.horiBearingX + glyph.width + 63) >> 6));
            pen += static_cast<int>((face->glyph->advance.x + 32) >> 6);
        }
        extent.width = std::max(extent.width, pen);
        return extent;
    }

private:
    Face() {
        if (FT_Init_FreeType(&library) != 0 ||
            FT_New_Memory_Face(library, brevanto_text_font_begin,
                               static_cast<FT_Long>(brevanto_text_font_end - brevanto_text_font_begin), 0, &face) != 0)
            throw std::runtime_error("The program's font could not be read.");
    }
    ~Face() {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }

    std::mutex mutex;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

}  // namespace

TextExtent MeasureText(const std::string& text, int pixelSize) {
    return Face::Shared().Lay(text, pixelSize, FT_LOAD_DEFAULT, [](FT_GlyphSlot, int) {});
}

TextCoverage RenderText(const std::string& text, int pixelSize) {
    TextCoverage coverage;
    struct Placed {
        int left, top, width, rows;
        std::vector<uint8_t> values;
    };
    std::vector<Placed> glyphs;
    coverage.extent = Face::Shared().Lay(text, pixelSize, FT_LOAD_RENDER, [&](FT_GlyphSlot glyph, int pen) {
        const FT_Bitmap& bitmap = glyph->bitmap;
        Placed placed{pen + glyph->bitmap_left,
                      -glyph->bitmap_top,
                      static_cast<int>(bitmap.width),
                      static_cast<int>(bitmap.rows),
                      {}};
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* values = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            placed.values.insert(placed.values.end(), values, values + bitmap.width);
        }
        glyphs.push_back(std::move(placed));
    });
    const TextExtent& extent = coverage.extent;
    coverage.values.assign(static_cast<size_t>(extent.width) * static_cast<size_t>(extent.height), 0);
    // Glyphs may overlap a little (kerned pairs, italics): their coverage adds.
    for (const Placed& glyph : glyphs)
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.width; ++column) {
                const int x = glyph.left + column, y = extent.baseline + glyph.top + row;
                if (x < 0 || x >= extent.width || y < 0 || y >= extent.height) continue;
                uint8_t& value =
                    coverage
                        .values[static_cast<size_t>(y) * static_cast<size_t>(extent.width) + static_cast<size_t>(x)];
                value = static_cast<uint8_t>(
                    std::min(255, value + glyph.values[static_cast<size_t>(row) * static_cast<size_t>(glyph.width) +
                                                       static_cast<size_t>(column)]));
            }
    return coverage;
}

}  // namespace brevanto::platform
