#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HeadlessFixture.h"
#include "RecordingCanvas.h"
#include "model/ObjektKreis.h"
#include "platform/RasterBitmap.h"

namespace {

using CircleTest = HeadlessSceneTest;

// Centre (100, 100), radius 50, as drawn from the centre to (130, 140).
TObjektKreis Circle(int32_t winkel1 = 0, int32_t winkel2 = 360) {
    TObjektKreis circle(100, 100, 130, 140);
    circle.winkel1 = winkel1;
    circle.winkel2 = winkel2;
    circle.number = 2;
    return circle;
}

TEST_F(CircleTest, Blocks) {
    struct Case {
        const char* name;
        int32_t winkel1, winkel2, ax, ay, bx, by;
        bool blocks;
    };
    const Case cases[] = {
        {"both ends inside", 0, 360, 90, 100, 110, 100, false},
        {"one end on the circle", 0, 360, 150, 100, 200, 100, true},
        {"crossing", 0, 360, 0, 100, 200, 100, true},
        {"touching", 0, 360, 0, 50, 200, 50, true},
        {"passing outside", 0, 360, 0, 0, 200, 0, false},
        {"perpendicular foot beyond the ends", 0, 360, 160, 90, 200, 90, false},
        {"a single point on the circle", 0, 360, 150, 100, 150, 100, false},
        // The upper half, through 0 (straight up).
        {"upper half, crossing above the centre", 270, 90, 0, 80, 200, 80, true},
        {"upper half, crossing below the centre", 270, 90, 0, 120, 200, 120, false},
        {"upper half, from inside to the top", 270, 90, 100, 100, 100, 0, true},
        // A plain arc includes its end angles.
        {"0 to 90, through its end", 0, 90, 100, 100, 200, 100, true},
        {"90 to 180, through its start", 90, 180, 100, 100, 200, 100, true},
        {"0 to 90, up to the right", 0, 90, 100, 100, 200, 0, true},
        {"0 to 90, to the left", 0, 90, 100, 100, 0, 100, false},
        // Equal angles block like the whole circle.
        {"90 to 90, to the left", 90, 90, 100, 100, 0, 100, true},
        {"90 to 90, downward", 90, 90, 100, 100, 100, 200, true},
    };
    for (const Case& c : cases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        EXPECT_EQ(circle.Blocks(c.ax, c.ay, c.bx, c.by, 0, 0), c.blocks) << c.name;
        EXPECT_EQ(circle.Blocks(c.bx, c.by, c.ax, c.ay, 0, 0), c.blocks) << c.name << ", reversed";
        EXPECT_FALSE(circle.Blocks(c.ax, c.ay, c.bx, c.by, 2, 0) || circle.Blocks(c.ax, c.ay, c.bx, c.by, 0, 2));
    }
}

TEST_F(CircleTest, RadiusRoundsAndFarOffCoordinatesDoNotOverflow) {
    EXPECT_EQ(TObjektKreis(0, 0, 2, 2).radius, 3) << "2.83 rounds";
    // Far-off points from a file: the squares must not overflow.
    EXPECT_EQ(TObjektKreis(0, 0, 1200000000, 1600000000).radius, 2000000000);
    EXPECT_EQ(TObjektKreis(-2000000000, 0, 2000000000, 0).radius, 2147483647) << "saturates";
    TObjektKreis huge(0, 0, 1000000000, 0);
    huge.number = 2;
    EXPECT_TRUE(huge.Blocks(-2000000000, 0, 2000000000, 0, 0, 0));
    EXPECT_FALSE(huge.Blocks(-2000000000, -2000000000, 2000000000, -2000000000, 0, 0));
    huge.winkel1 = 270;
    huge.winkel2 = 90;
    EXPECT_TRUE(huge.Blocks(-2000000000, -500000000, 2000000000, -500000000, 0, 0));
    EXPECT_FALSE(huge.Blocks(-2000000000, 500000000, 2000000000, 500000000, 0, 0));
}

TEST_F(CircleTest, IsNear) {
    struct Case {
        const char* name;
        int32_t winkel1, winkel2, x, y, d;
        bool near;
    };
    const Case cases[] = {
        {"3 outside, d = 4", 0, 360, 100, 47, 4, true},
        {"3 outside, d = 3 (strict)", 0, 360, 100, 47, 3, false},
        {"upper half, above the top", 270, 90, 100, 48, 3, true},
        {"upper half, below the bottom", 270, 90, 100, 152, 3, false},
        // Its own angle, 93.4, is off the arc, but the end at 90 lies 3 away.
        {"upper half, beside its right end", 270, 90, 150, 103, 5, true},
        {"arc, at the centre", 30, 60, 100, 100, 60, true},
        {"arc, the whole circle within d", 0, 10, 100, 105, 60, true},
    };
    for (const Case& c : cases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        EXPECT_EQ(circle.IsNear(c.x, c.y, c.d, 0, 0), c.near) << c.name;
        EXPECT_FALSE(circle.IsNear(c.x, c.y, c.d, 2, 0) || circle.IsNear(c.x, c.y, c.d, 0, 2)) << c.name;
    }
}

TEST_F(CircleTest, DrawFullCircleArcOrNothing) {
    struct Case {
        int32_t winkel1, winkel2;
        std::vector<std::string> calls;
    };
    // The canvas draws counter-clockwise: from winkel2 to winkel1.
    const Case cases[] = {
        {0, 360, {"pen 255", "brush hollow", "ellipse 50 50 150 150"}},
        {0, 90, {"pen 255", "arc 50 50 150 150 150 100 100 50"}},
        {270, 90, {"pen 255", "arc 50 50 150 150 150 100 50 100"}},
        {90, 90, {"pen 255"}},
    };
    for (const Case& c : cases) {
        TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        circle.colour = 255;
        RecordingCanvas canvas;
        circle.Draw(canvas);
        EXPECT_EQ(canvas.calls, c.calls) << c.winkel1 << " to " << c.winkel2;
    }
    platform::RasterBitmap picture(200, 200);
    TObjektKreis upper = Circle(270, 90);
    upper.colour = 0x0000FF;
    upper.Draw(picture.GetCanvas());
    EXPECT_EQ(picture.Pixel(100, 50), 0x0000FF) << "top";
    EXPECT_EQ(picture.Pixel(100, 149), 0xFFFFFF) << "bottom stays white";
}

}  // namespace

namespace {

// Regression test: an angle from a file or a dialog at the 32-bit limit made
// the span of its range overflow (undefined behaviour: 360 - (-2^31)).
TEST(AngleRange, SpanOfAnglesAtTheIntegerLimitsDoesNotOverflow) {
    EXPECT_EQ((AngleRange{-2147483647 - 1, 360}.Span()), 2147484008);
    EXPECT_EQ((AngleRange{0, 2147483647}.Span()), 2147483647);
    EXPECT_EQ((AngleRange{2147483647, -2147483647 - 1}.Span()), -4294967295);
}

}  // namespace
