// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "RecordingCanvas.h"
#include "model/ObjektKreis.h"

using namespace brevanto;
using namespace brevanto::model;

namespace {

// Centre (100, 100), radius 50, as drawn from the centre to (130, 140).
TObjektKreis Circle(int32_t winkel1 = 0, int32_t winkel2 = 360) {
    TObjektKreis circle(100, 100, 130, 140);
    circle.winkel1 = winkel1;
    circle.winkel2 = winkel2;
    circle.number = 2;
    return circle;
}

TEST(CircleTest, BlocksAndIsNearFollowTheArc) {
    struct Case {
        const char* name;
        int32_t winkel1, winkel2, ax, ay, bx, by;
        bool blocks;
    };
    const Case cases[] = {
        {"one end on the circle", 0, 360, 150, 100, 200, 100, true},
        {"touching", 0, 360, 0, 50, 200, 50, true},
        // The upper half, through 0 (straight up).
        {"upper half, crossing above the centre", 270, 90, 0, 80, 200, 80, true},
        {"upper half, crossing below the centre", 270, 90, 0, 120, 200, 120, false},
        // Equal angles block like the whole circle.
        {"90 to 90, to the left", 90, 90, 100, 100, 0, 100, true},
    };
    for (const Case& c : cases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        EXPECT_EQ(circle.Blocks(c.ax, c.ay, c.bx, c.by, 0, 0), c.blocks) << c.name;
        EXPECT_EQ(circle.Blocks(c.bx, c.by, c.ax, c.ay, 0, 0), c.blocks) << c.name << ", reversed";
        EXPECT_FALSE(circle.Blocks(c.ax, c.ay, c.bx, c.by, 2, 0) || circle.Blocks(c.ax, c.ay, c.bx, c.by, 0, 2));
    }
    EXPECT_FALSE(Circle().IsNear(100, 47, 3, 0, 0)) << "3 outside, d = 3: strict";
    EXPECT_TRUE(Circle(270, 90).IsNear(100, 48, 3, 0, 0));
    EXPECT_FALSE(Circle(270, 90).IsNear(100, 152, 3, 0, 0)) << "below the upper half";
    // Its own angle, 93.4, is off the arc, but the end at 90 lies 3 away.
    EXPECT_TRUE(Circle(270, 90).IsNear(150, 103, 5, 0, 0));
    EXPECT_TRUE(Circle(0, 10).IsNear(100, 105, 60, 0, 0)) << "the whole circle within d";
}

TEST(CircleTest, RadiusRoundsAndFarOffCoordinatesDoNotOverflow) {
    EXPECT_EQ(TObjektKreis(0, 0, 2, 2).radius, 3) << "2.83 rounds";
    // Far-off points from a file: the squares must not overflow.
    EXPECT_EQ(TObjektKreis(-2000000000, 0, 2000000000, 0).radius, 2147483647) << "saturates";
    TObjektKreis huge(0, 0, 1000000000, 0);
    huge.number = 2;
    EXPECT_TRUE(huge.Blocks(-2000000000, 0, 2000000000, 0, 0, 0));
    EXPECT_FALSE(huge.Blocks(-2000000000, -2000000000, 2000000000, -2000000000, 0, 0));
    huge.winkel1 = 270;  // the upper half
    huge.winkel2 = 90;
    EXPECT_FALSE(huge.Blocks(-2000000000, 500000000, 2000000000, 500000000, 0, 0));
}

// The canvas draws counter-clockwise: from winkel2 to winkel1. Equal angles
// are the full circle.
TEST(CircleTest, DrawFullCircleOrArc) {
    const std::vector<std::string> full{"pen 255", "brush hollow", "ellipse 50 50 150 150"};
    for (const auto& [winkel1, winkel2, calls] : std::vector<std::tuple<int32_t, int32_t, std::vector<std::string>>>{
             {0, 360, full},
             {270, 90, {"pen 255", "arc 50 50 150 150 150 100 50 100"}},
             {-90, 90, {"pen 255", "arc 50 50 150 150 150 100 50 100"}},
             {90, 90, full},
             {360, 0, full},
             {0, 720, full}}) {
        TObjektKreis circle = Circle(winkel1, winkel2);
        circle.colour = 255;
        RecordingCanvas canvas;
        circle.Draw(canvas);
        EXPECT_EQ(canvas.calls, calls) << winkel1 << " to " << winkel2;
    }
}

// Pairs within 0..360 keep the ranges they have always had (360 as an end or
// a start included); equal angles and spans of 360 or more are the full
// circle; any other pair counts modulo 360. Regression test: -90..90 was one
// range [-90, 90], 0..720 one range of two turns, 360..0 the empty ranges
// [360, 360] and [0, 0].
TEST(CircleTest, RangesKeepPairsWithinATurnAndReduceTheOthers) {
    using Ranges = std::vector<std::pair<int32_t, int32_t>>;
    const int32_t least = -2147483647 - 1, most = 2147483647;
    for (const auto& [winkel1, winkel2, expected] :
         std::vector<std::tuple<int32_t, int32_t, Ranges>>{{0, 360, {{0, 360}}},
                                                           {270, 90, {{270, 360}, {0, 90}}},
                                                           {10, 360, {{10, 360}}},
                                                           {360, 90, {{360, 360}, {0, 90}}},
                                                           {90, 0, {{90, 360}, {0, 0}}},
                                                           {90, 90, {{0, 360}}},
                                                           {360, 0, {{0, 360}}},
                                                           {0, 0, {{0, 360}}},
                                                           {-90, 90, {{270, 360}, {0, 90}}},
                                                           {0, 720, {{0, 360}}},
                                                           {-360, 0, {{0, 360}}},
                                                           {10, 370, {{0, 360}}},
                                                           {370, 10, {{0, 360}}},
                                                           {400, 500, {{40, 140}}},
                                                           {380, 10, {{20, 360}, {0, 10}}},
                                                           {least, most, {{0, 360}}},
                                                           {most, least, {{127, 232}}}}) {
        const TObjektKreis circle = Circle(winkel1, winkel2);
        Ranges ranges;
        for (const AngleRange& range : circle.Ranges()) ranges.emplace_back(range.lo, range.hi);
        EXPECT_EQ(ranges, expected) << winkel1 << " to " << winkel2;
        EXPECT_EQ(circle.IsFullCircle(), (expected == Ranges{{0, 360}})) << winkel1 << " to " << winkel2;
        EXPECT_EQ(circle.winkel1, winkel1) << "kept as entered";
        EXPECT_EQ(circle.winkel2, winkel2);
    }
}

// Regression test: an angle from a file or a dialog at the 32-bit limit made
// the span of its range overflow (undefined behaviour: 360 - (-2^31)).
TEST(CircleTest, SpanOfAnglesAtTheIntegerLimitsDoesNotOverflow) {
    EXPECT_EQ((AngleRange{-2147483647 - 1, 360}.Span()), 2147484008);
    EXPECT_EQ((AngleRange{2147483647, -2147483647 - 1}.Span()), -4294967295);
}

}  // namespace
