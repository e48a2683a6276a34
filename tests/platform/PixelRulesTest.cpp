#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

using platform::BrushStyle;
using platform::Canvas;
using platform::TColor;
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

    int changes = 0;

    void DrawBitmap(const platform::Bitmap&) override {}  // each surface copies its own kind of picture

private:
    int SurfaceWidth() const override { return width; }
    int SurfaceHeight() const override { return height; }
    TColor ToRgb(TColor colour) const override { return colour; }
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

TEST(PixelRulesTest, LineStepsRoundHalvesAwayFromTheStart) {
    struct Case {
        const char* name;
        Drawing draw;
        Pixels expected;
    };
    const Case cases[] = {
        {"shallow", Line(0, 0, 4, 2), {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {"shallow, backwards", Line(4, 2, 0, 0), {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        {"steep", Line(0, 0, 2, 4), {{0, 0}, {1, 1}, {1, 2}, {2, 3}}},
        {"steep, backwards", Line(2, 4, 0, 0), {{2, 4}, {1, 3}, {1, 2}, {0, 1}}},
        // Cut off by the right edge, the line keeps the slope 7 / 30.
        {"beyond the right edge",
         Line(0, 0, 30, 7),
         {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 2}, {8, 2}, {9, 2}}},
    };
    for (const Case& c : cases) EXPECT_EQ(PaintedBy(c.draw, 10, 10), c.expected) << c.name;
}

TEST(PixelRulesTest, LineIsUnbrokenAndLeavesOutItsEndPointForTheNextLine) {
    struct Case {
        int toX, toY;  // from (10, 10)
    };
    const Case cases[] = {
        {18, 13}, {13, 18}, {7, 18},  {2, 13}, {2, 7}, {7, 2}, {13, 2}, {18, 7},  // the eight octants
        {18, 10}, {2, 10},  {10, 18}, {10, 2},                                    // along the axes
        {17, 17}, {3, 3},   {17, 3},  {3, 17},                                    // the diagonals
        {10, 10},                                                                 // no length
    };
    for (const Case& c : cases) {
        const std::string name = "to (" + std::to_string(c.toX) + ", " + std::to_string(c.toY) + ")";
        PixelGrid grid(20, 20);
        grid.MoveTo(10, 10);
        grid.LineTo(c.toX, c.toY);
        const Pixels painted = grid.Painted();

        // One pixel for each step along the longer axis, each next to the one before.
        const bool xMajor = std::abs(c.toX - 10) >= std::abs(c.toY - 10);
        const int steps = std::max(std::abs(c.toX - 10), std::abs(c.toY - 10));
        std::map<int, int> minorAtMajor;
        for (const auto& [x, y] : painted) {
            EXPECT_TRUE(std::min(10, c.toX) <= x && x <= std::max(10, c.toX) && std::min(10, c.toY) <= y &&
                        y <= std::max(10, c.toY))
                << name << ": (" << x << ", " << y << ") lies outside the line's box";
            minorAtMajor[xMajor ? x : y] = xMajor ? y : x;
        }
        EXPECT_EQ(int(painted.size()), steps) << name;
        EXPECT_EQ(int(minorAtMajor.size()), steps) << name;
        const auto gap =
            std::adjacent_find(minorAtMajor.begin(), minorAtMajor.end(), [](const auto& pixel, const auto& next) {
                return next.first != pixel.first + 1 || std::abs(next.second - pixel.second) > 1;
            });
        EXPECT_TRUE(gap == minorAtMajor.end()) << name << ": broken";
        EXPECT_EQ(painted.count({10, 10}), size_t{steps > 0}) << name;
        EXPECT_FALSE(painted.count({c.toX, c.toY})) << name;

        // The end point became the pen position: the way back starts there.
        grid.LineTo(10, 10);
        EXPECT_EQ(grid.Painted().count({c.toX, c.toY}), size_t{steps > 0}) << name;
    }
}

// A line shows the same pixels wherever the surface's edges cut it.
TEST(PixelRulesTest, CutOffLineKeepsItsSlope) {
    struct Case {
        int fromX, fromY, toX, toY;
    };
    const Case cases[] = {
        {0, 0, 30, 7},    {30, 7, 0, 0},    {-13, 4, 22, -3}, {5, -20, 8, 25},
        {-9, 17, 19, -8}, {12, 12, -20, 5}, {3, 39, 6, -20},
    };
    // The same line, 20 pixels further right and down, lies wholly on the larger surface.
    constexpr int kShift = 20;
    for (const Case& c : cases) {
        const Pixels small = PaintedBy(Line(c.fromX, c.fromY, c.toX, c.toY), 10, 10);
        Pixels window;
        for (const auto& [x, y] :
             PaintedBy(Line(c.fromX + kShift, c.fromY + kShift, c.toX + kShift, c.toY + kShift), 70, 70))
            if (x >= kShift && x < kShift + 10 && y >= kShift && y < kShift + 10)
                window.insert({x - kShift, y - kShift});
        EXPECT_FALSE(small.empty());
        EXPECT_EQ(small, window) << "(" << c.fromX << ", " << c.fromY << ") to (" << c.toX << ", " << c.toY << ")";
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
        {"diagonal", Line(-kFar, -kFar, kFar, kFar), Line(0, 0, 10, 10)},
        {"diagonal across the whole int range", Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), Line(0, 0, 10, 10)},
        {"diagonal backwards", Line(kFar, kFar, -kFar, -kFar), Line(10, 10, -1, -1)},
        {"rising diagonal", Line(kFar + 5, -kFar, -kFar + 5, kFar), Line(6, -1, -1, 6)},
        {"slope one half", Line(-kFar, -kFar / 2, kFar, kFar / 2), Line(0, 0, 60, 30)},
        {"rectangle", fill(-kFar, -kFar, kFar, kFar), fill(0, 0, 30, 10)},
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
        {"flat", 0, 0, 7, 3, {".#####.", "#ooooo#", ".#####.", "......."}},
        {"two by two", 1, 1, 3, 3, {"....", ".##.", ".##.", "...."}},
        {"one pixel wide", 1, 0, 2, 3, {".#..", ".#..", ".#..", "...."}},
        {"cut by the surface", -2, -2, 3, 4, {"oo#.", "oo#.", "oo#.", "##.."}},
        {"no width", 2, 0, 2, 4, {"....", "....", "....", "...."}},
        {"no height", 0, 2, 4, 2, {"....", "....", "....", "...."}},
        {"upside down", 4, 4, 0, 0, {"....", "....", "....", "...."}},
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
    }
}

TEST(PixelRulesTest, EllipseIsSymmetricAndReachesEverySideOfItsBox) {
    struct Case {
        const char* name;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"flat", 2, 2, 14, 8},
        {"odd sides", 3, 4, 16, 11},
        {"tall", 6, 0, 10, 20},
        {"large circle", 0, 0, 20, 20},
        {"beyond the surface", -30, -30, 50, 50},
    };
    for (const Case& c : cases) {
        PixelGrid grid(20, 20);
        grid.Ellipse(c.left, c.top, c.right, c.bottom);
        const Pixels painted = grid.Painted();
        int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
        for (const auto& [x, y] : painted) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            const int mirroredX = c.left + c.right - 1 - x, mirroredY = c.top + c.bottom - 1 - y;
            EXPECT_TRUE(painted.count({mirroredX, y}) && painted.count({x, mirroredY}))
                << c.name << ": (" << x << ", " << y << ") without its mirror image";
        }
        EXPECT_EQ(minX, std::max(c.left, 0)) << c.name;
        EXPECT_EQ(minY, std::max(c.top, 0)) << c.name;
        EXPECT_EQ(maxX, std::min(c.right, 20) - 1) << c.name;
        EXPECT_EQ(maxY, std::min(c.bottom, 20) - 1) << c.name;
        // No brush pixel touches one outside the ellipse.
        for (const auto& [x, y] : grid.Painted(kBrush))
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                EXPECT_TRUE(x + dx < 0 || x + dx >= 20 || y + dy < 0 || y + dy >= 20 || painted.count({x + dx, y + dy}))
                    << c.name << ": (" << x << ", " << y << ")";
    }
}

// Pixel (x, y) has its centre at (x + 0.5, y + 0.5), so no pixel of the
// circle about (10, 10) lies on an axis and each belongs to one quarter.
TEST(PixelRulesTest, ArcRunsCounterClockwiseFromTheStartRayToTheEndRay) {
    enum Quarter { UpperRight = 1, UpperLeft = 2, LowerLeft = 4, LowerRight = 8, All = 15 };
    struct Case {
        const char* name;
        int startX, startY, endX, endY;
        int quarters;
    };
    const Case cases[] = {
        {"3 to 12 o'clock", 20, 10, 10, 0, UpperRight},
        {"12 to 3 o'clock", 10, 0, 20, 10, UpperLeft | LowerLeft | LowerRight},
        {"9 to 6 o'clock", 0, 10, 10, 20, LowerLeft},
        {"6 to 9 o'clock", 10, 20, 0, 10, LowerRight | UpperRight | UpperLeft},
        {"from points far out on the rays", 1000, 10, 10, -1000, UpperRight},
        {"the same ray twice", 20, 10, 30, 10, All},
    };
    PixelGrid circle(20, 20);
    circle.SetBrushStyle(BrushStyle::Hollow);
    circle.Ellipse(0, 0, 20, 20);
    for (const Case& c : cases) {
        PixelGrid grid(20, 20);
        grid.Arc(0, 0, 20, 20, c.startX, c.startY, c.endX, c.endY);
        Pixels expected;
        for (const auto& [x, y] : circle.Painted()) {
            const Quarter quarter = y < 10 ? (x >= 10 ? UpperRight : UpperLeft) : (x < 10 ? LowerLeft : LowerRight);
            if (c.quarters & quarter) expected.insert({x, y});
        }
        EXPECT_EQ(grid.Painted(), expected) << c.name;
    }
}

TEST(PixelRulesTest, FillRectLeavesOutRightAndBottom) {
    struct Case {
        const char* name;
        BrushStyle style;
        int left, top, right, bottom;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"inside", BrushStyle::Solid, 1, 1, 3, 4, {".....", ".oo..", ".oo..", ".oo..", "....."}},
        {"over the top left corner", BrushStyle::Solid, -5, -5, 2, 1, {"oo...", ".....", ".....", ".....", "....."}},
        {"over the bottom right corner", BrushStyle::Solid, 3, 2, 9, 9, {".....", ".....", "...oo", "...oo", "...oo"}},
        {"no width", BrushStyle::Solid, 2, 0, 2, 5, {".....", ".....", ".....", ".....", "....."}},
        {"upside down", BrushStyle::Solid, 4, 4, 1, 1, {".....", ".....", ".....", ".....", "....."}},
        // As the GDI's null brush.
        {"hollow brush", BrushStyle::Hollow, 0, 0, 5, 5, {".....", ".....", ".....", ".....", "....."}},
    };
    for (const Case& c : cases) {
        PixelGrid grid(5, 5);
        grid.SetBrushStyle(c.style);
        grid.FillRect(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(grid.Picture(), c.expected) << c.name;
    }
}

// Text is written in the pen's colour, each dot of the font a square of two
// pixels, the characters twelve pixels apart; what lies off the surface is
// left out.
TEST(PixelRulesTest, TextDrawsTwoPixelDotsAndIsCutAtTheBorder) {
    PixelGrid grid(26, 16);
    grid.TextOut(1, 1, "1-");
    // clang-format off
    const std::vector<std::string> expected{
        "..........................",
        ".....##...................",
        ".....##...................",
        "...####...................",
        "...####...................",
        ".....##...................",
        ".....##...................",
        ".....##......##########...",
        ".....##......##########...",
        ".....##...................",
        ".....##...................",
        ".....##...................",
        ".....##...................",
        "...######.................",
        "...######.................",
        "..........................",
    };
    // clang-format on
    EXPECT_EQ(grid.Picture(), expected);
    EXPECT_EQ(platform::TextWidth("1-"), 22);
    EXPECT_EQ(platform::TextWidth(""), 0);

    PixelGrid cut(8, 8);
    cut.TextOut(-3, 3, "WW");  // the PixelGrid fails on any span off the surface
    EXPECT_FALSE(cut.Painted().empty());
}

// The window repaints after each operation that changed its picture.
TEST(PixelRulesTest, SurfaceHearsOnceOfEachOperationThatChangedPixels) {
    struct Case {
        const char* name;
        Drawing draw;
        int changes;
    };
    const Case cases[] = {
        {"line", Line(0, 0, 8, 3), 1},
        {"line beside the surface", Line(-5, 0, -5, 10), 0},
        {"line of no length", Line(2, 2, 2, 2), 0},
        {"ellipse", [](Canvas& canvas) { canvas.Ellipse(0, 0, 10, 10); }, 1},
        {"ellipse below the surface", [](Canvas& canvas) { canvas.Ellipse(0, 20, 10, 30); }, 0},
        {"arc", [](Canvas& canvas) { canvas.Arc(0, 0, 10, 10, 10, 5, 5, 0); }, 1},
        {"rectangle", [](Canvas& canvas) { canvas.FillRect(1, 1, 5, 5); }, 1},
        {"rectangle with a hollow brush",
         [](Canvas& canvas) {
             canvas.SetBrushStyle(BrushStyle::Hollow);
             canvas.FillRect(1, 1, 5, 5);
         },
         0},
    };
    for (const Case& c : cases) {
        PixelGrid grid(10, 10);
        c.draw(grid);
        EXPECT_EQ(grid.changes, c.changes) << c.name;
    }
}

}  // namespace
