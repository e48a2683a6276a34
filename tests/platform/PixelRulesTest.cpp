// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/PixelCanvas.h"
#include "platform/PixelFont.h"
#include "platform/RasterBitmap.h"
#include "platform/TextFont.h"

using namespace brevanto;

namespace {

using brevanto::platform::BrushStyle;
using brevanto::platform::Canvas;
using brevanto::platform::TColor;
using Pixels = std::set<std::pair<int, int>>;
using Drawing = std::function<void(Canvas&)>;

constexpr TColor kPen = 0x0000FF, kBrush = 0x00FF00, kBlank = 0xFFFFFF;
constexpr int kFar = 2000000000;

// A surface that keeps its pixels, fails the test when it is asked to fill
// a pixel it does not have, and counts the operations that changed it.
class PixelGrid : public platform::PixelCanvas {
public:
    PixelGrid(int width, int height)
        : width(width), height(height), pixels(static_cast<size_t>(width) * static_cast<size_t>(height), kBlank) {
        SetPenColor(kPen);
        SetBrushColor(kBrush);
    }

    // The pixels of this colour, or without one every pixel that is no longer blank.
    Pixels Painted(std::optional<TColor> colour = std::nullopt) const {
        Pixels painted;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (const TColor pixel = At(x, y); colour ? pixel == *colour : pixel != kBlank) painted.insert({x, y});
        return painted;
    }

    // Row by row: '#' for the pen, 'o' for the brush, '.' for blank.
    std::vector<std::string> Picture() const {
        const std::map<TColor, char> symbols{{kPen, '#'}, {kBrush, 'o'}, {kBlank, '.'}};
        std::vector<std::string> rows(static_cast<size_t>(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) rows[static_cast<size_t>(y)] += symbols.at(At(x, y));
        return rows;
    }

    TColor ColourAt(int x, int y) const { return At(x, y); }

    int changes = 0;

    void DrawBitmapPart(const platform::Bitmap&, int, int, int, int) override {
    }  // each surface copies its own kind of picture

private:
    int SurfaceWidth() const override { return width; }
    int SurfaceHeight() const override { return height; }
    TColor ToRgb(TColor colour) const override { return colour; }
    TColor SurfacePixel(int x, int y) const override { return At(x, y); }
    void FillSpan(int y, int first, int last, TColor rgb) override {
        if (y < 0 || y >= height || first < 0 || last >= width || first > last) {
            ADD_FAILURE() << "span " << first << ".." << last << " of row " << y << " is not on the surface";
            return;
        }
        std::fill_n(pixels.begin() + Index(first, y), last - first + 1, rgb);
    }
    void PixelsChanged() override { ++changes; }

    std::ptrdiff_t Index(int x, int y) const { return static_cast<std::ptrdiff_t>(y) * width + x; }
    TColor At(int x, int y) const { return pixels[static_cast<size_t>(Index(x, y))]; }

    int width;
    int height;
    std::vector<TColor> pixels;
};

Pixels PaintedBy(const Drawing& draw, int width, int height) {
    PixelGrid grid(width, height);
    draw(grid);
    return grid.Painted();
}

Drawing Line(int fromX, int fromY, int toX, int toY) {
    return [=](Canvas& canvas) {
        canvas.MoveTo(fromX, fromY);
        canvas.LineTo(toX, toY);
    };
}

// Steps round halves away from the start; the end point is left out for the
// next line, which starts there; the edges cut a line without changing its
// slope.
TEST(PixelRulesTest, LinesStepAlongTheLongerAxisAndLeaveOutTheirEndPoint) {
    EXPECT_EQ(PaintedBy(Line(0, 0, 4, 2), 10, 10), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    EXPECT_EQ(PaintedBy(Line(4, 2, 0, 0), 10, 10), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    // The end point is left out: the next line starts there.
    PixelGrid grid(20, 20);
    grid.MoveTo(10, 10);
    grid.LineTo(7, 18);
    EXPECT_EQ(grid.Painted(), (Pixels{{10, 10}, {10, 11}, {9, 12}, {9, 13}, {8, 14}, {8, 15}, {8, 16}, {7, 17}}));
    grid.LineTo(10, 10);
    EXPECT_TRUE(grid.Painted().count({7, 18}));
    // The same line, 20 pixels further right and down, lies wholly on the larger surface.
    for (const auto& [fromX, fromY, toX, toY] : std::vector<std::array<int, 4>>{{-13, 4, 22, -3}, {5, -20, 8, 25}}) {
        const Pixels small = PaintedBy(Line(fromX, fromY, toX, toY), 10, 10);
        Pixels window;
        for (const auto& [x, y] : PaintedBy(Line(fromX + 20, fromY + 20, toX + 20, toY + 20), 70, 70))
            if (x >= 20 && x < 30 && y >= 20 && y < 30) window.insert({x - 20, y - 20});
        EXPECT_FALSE(small.empty());
        EXPECT_EQ(small, window) << "(" << fromX << ", " << fromY << ") to (" << toX << ", " << toY << ")";
    }
}

// Coordinates near the ends of the int range neither overflow nor cost
// more than the shape's visible part; each far shape shows what a near one does.
TEST(PixelRulesTest, FarShapesShowTheirVisiblePartQuickly) {
    struct Case {
        const char* name;
        Drawing far;
        Drawing near;
    };
    const auto fill = [](int left, int top, int right, int bottom) {
        return [=](Canvas& canvas) { canvas.FillRect(left, top, right, bottom); };
    };
    // An ellipse twice kFar wide whose top edge runs along row 5.
    constexpr int kTop = 5, kBottom = kFar + kTop, kMiddle = kTop + kFar / 2;
    const Case cases[] = {
        {"horizontal line", Line(-kFar, 4, kFar, 4), Line(0, 4, 30, 4)},
        {"vertical line upward", Line(3, kFar, 3, -kFar), Line(3, 10, 3, -1)},
        {"diagonal across the whole int range", Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), Line(0, 0, 10, 10)},
        {"rising diagonal", Line(kFar + 5, -kFar, -kFar + 5, kFar), Line(6, -1, -1, 6)},
        {"rectangle across the whole int range", fill(INT_MIN, 3, INT_MAX, 5), fill(0, 3, 30, 5)},
        {"ellipse around the surface", [](Canvas& canvas) { canvas.Ellipse(-kFar, -kFar, kFar, kFar); },
         fill(0, 0, 30, 10)},
        {"ellipse's top edge", [](Canvas& canvas) { canvas.Ellipse(-kFar, kTop, kFar, kBottom); },
         [=](Canvas& canvas) {
             Line(0, kTop, 30, kTop)(canvas);
             canvas.FillRect(0, kTop + 1, 30, 10);
         }},
        {"arc from 3 to 12 o'clock",
         [](Canvas& canvas) { canvas.Arc(-kFar, kTop, kFar, kBottom, kFar, kMiddle, 0, kTop); },
         Line(0, kTop, 30, kTop)},
        {"arc from 12 to 3 o'clock, which misses the surface",
         [](Canvas& canvas) { canvas.Arc(-kFar, kTop, kFar, kBottom, 0, kTop, kFar, kMiddle); }, [](Canvas&) {}},
    };
    // A shape that walked every one of its billions of steps would not finish
    // in the test's time.
    for (const Case& c : cases) {
        PixelGrid far(30, 10), near(30, 10);
        c.far(far);
        c.near(near);
        EXPECT_EQ(far.Picture(), near.Picture()) << c.name;
        // The window repaints once after each operation that changed its picture.
        EXPECT_EQ(far.changes, far.Painted().empty() ? 0 : 1) << c.name;
    }
}

TEST(PixelRulesTest, EllipseLeavesOutRightAndBottomAndFillsInsideTheOutline) {
    struct Case {
        const char* name;
        int left, top, right, bottom;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"four by four", 1, 1, 5, 5, {"......", "..##..", ".#oo#.", ".#oo#.", "..##..", "......"}},
        {"cut by the surface", -2, -2, 3, 4, {"oo#.", "oo#.", "oo#.", "##.."}},
    };
    for (const Case& c : cases) {
        const int width = int(c.expected[0].size()), height = int(c.expected.size());
        PixelGrid solid(width, height), hollow(width, height);
        hollow.SetBrushStyle(BrushStyle::Hollow);
        solid.Ellipse(c.left, c.top, c.right, c.bottom);
        hollow.Ellipse(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(solid.Picture(), c.expected) << c.name;
        // A hollow ellipse is the outline alone.
        EXPECT_EQ(hollow.Painted(), solid.Painted(kPen)) << c.name;
        EXPECT_EQ(solid.changes, solid.Painted().empty() ? 0 : 1) << c.name;
    }
}

// Text is written in the pen's colour, each dot of the font a square of two
// pixels, the characters twelve pixels apart; what lies off the surface is
// left out.
TEST(PixelRulesTest, TextDrawsTwoPixelDotsAndIsCutAtTheBorder) {
    PixelGrid grid(26, 16);
    grid.TextOut(1, 1, "1-");
    // Rows 1 and 7 of the picture: the top of the "1" and the dash.
    const std::vector<std::string> picture = grid.Picture();
    EXPECT_EQ(picture[1], ".....##...................");
    EXPECT_EQ(picture[7], ".....##......##########...");
    EXPECT_EQ(platform::TextWidth("1-"), 22);

    PixelGrid cut(8, 8);
    cut.TextOut(-3, 3, "WW");  // the PixelGrid fails on any span off the surface
    EXPECT_FALSE(cut.Painted().empty());
}

// The program's font is antialiased: the pen's colour where a glyph covers a
// pixel wholly, mixtures of the pen and what lay below along its edges,
// within the extent measured for the text; a larger size is larger in both
// directions, and what lies off the surface is left out.
TEST(PixelRulesTest, TextInTheProgramsFontIsAntialiasedWithinItsExtent) {
    const platform::TextExtent extent = platform::MeasureText("Flux 0.5", 20);
    PixelGrid grid(200, 40);
    grid.SetBrushColor(0x000000);
    grid.FillRect(0, 20, 200, 40);  // the lower half black: the text mixes with it
    grid.DrawText(10, 5, "Flux 0.5", 20);
    const Pixels full = grid.Painted(kPen);
    ASSERT_FALSE(full.empty());
    // The pen is pure red: over white an edge keeps red full, over black it
    // keeps green and blue at 0.
    int overWhite = 0, overBlack = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor pixel = grid.ColourAt(x, y);
            if (pixel == kPen || pixel == kBlank || pixel == 0) continue;
            overWhite += (pixel & 0xFF) == 0xFF && y < 20;
            overBlack += (pixel & 0xFFFF00) == 0 && y >= 20;
        }
    EXPECT_GT(overWhite, 20);
    EXPECT_GT(overBlack, 5);
    for (const auto& [x, y] : full) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + extent.width);
        EXPECT_GE(y, 5);
        EXPECT_LT(y, 5 + extent.baseline);  // no descender in "Flux 0.5"
    }
    const platform::TextExtent larger = platform::MeasureText("Flux 0.5", 40);
    EXPECT_GT(larger.width, extent.width * 3 / 2);
    EXPECT_GT(larger.height, extent.height * 3 / 2);
    EXPECT_EQ(platform::RenderText("Flux 0.5", 20).extent.width, extent.width);

    PixelGrid cut(12, 12);
    cut.DrawText(-7, -6, "Wg", 20);  // the PixelGrid fails on any span off the surface
    EXPECT_FALSE(cut.Painted().empty());
}

}  // namespace

namespace {

// A part of a picture reaches the same place of another, cut to both; a
// picture of one colour copies as that colour.
TEST(PixelRulesTest, PartOfAPictureCopiesToTheSamePlaceCutToBoth) {
    platform::RasterBitmap source(6, 4), target(5, 5);
    source.GetCanvas().SetBrushStyle(BrushStyle::Solid);
    source.GetCanvas().SetBrushColor(kPen);
    source.GetCanvas().FillRect(0, 0, 6, 4);
    target.GetCanvas().DrawBitmapPart(source, 2, -3, 9, 2);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(target.Pixel(x, y), x >= 2 && y < 2 ? kPen : kBlank) << x << ", " << y;
    platform::RasterBitmap blank(5, 5);
    target.GetCanvas().DrawBitmap(blank);
    EXPECT_EQ(target.Pixel(4, 0), kBlank);
}

}  // namespace
