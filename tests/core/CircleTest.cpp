#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ObjektKreis.h"
#include "model/Programvar.h"
#include "platform/RasterBitmap.h"
#include "platform/TextFile.h"
#include "RecordingCanvas.h"
#include "TestScene.h"

namespace {

using CircleTest = SceneTest;

// Centre (100, 100), radius 50, as drawn from the centre to (130, 140).
TObjektKreis Circle(int32_t winkel1 = 0, int32_t winkel2 = 360) {
    TObjektKreis circle(100, 100, 130, 140);
    circle.winkel1 = winkel1;
    circle.winkel2 = winkel2;
    circle.number = 2;
    return circle;
}

TEST_F(CircleTest, CreateAndDrag) {
    const TObjektKreis circle(100, 100, 130, 140);
    EXPECT_EQ(circle.xmitte, 100);
    EXPECT_EQ(circle.ymitte, 100);
    EXPECT_EQ(circle.radius, 50);
    EXPECT_EQ(circle.winkel1, 0);
    EXPECT_EQ(circle.winkel2, 360);
    EXPECT_EQ(circle.colour, 0);
    EXPECT_TRUE(circle.IsFullCircle());
    EXPECT_FALSE(circle.IsDegenerate());

    EXPECT_TRUE(TObjektKreis(7, 8, 7, 8).IsDegenerate()) << "a click without a drag";
    EXPECT_EQ(TObjektKreis(0, 0, 1, 1).radius, 1) << "1.414 rounds to 1";
    EXPECT_EQ(TObjektKreis(0, 0, 2, 1).radius, 2) << "2.236 rounds to 2";

    TObjektKreis dragged(10, 10, 10, 10);
    prgvar().berechnet = true;
    dragged.SetEndPoint(13, 14);
    EXPECT_EQ(dragged.radius, 5);
    EXPECT_EQ(dragged.xmitte, 10) << "the centre stays";
    EXPECT_TRUE(prgvar().berechnet) << "the mouse-up clears the flag, not the drag";
    dragged.SetEndPoint(10, 10);
    EXPECT_TRUE(dragged.IsDegenerate());

    // Far-off points from a file: the squares must not overflow.
    EXPECT_EQ(TObjektKreis(-2000000000, 0, 2000000000, 0).radius, 2147483647) << "saturates";
    EXPECT_EQ(TObjektKreis(0, 0, 1500000000, 2000000000).radius, 2147483647);
    EXPECT_EQ(TObjektKreis(0, 0, 1200000000, 1600000000).radius, 2000000000);
}

TEST_F(CircleTest, Ranges) {
    struct Case {
        int32_t winkel1, winkel2;
        std::vector<std::pair<int32_t, int32_t>> ranges;
    };
    const Case cases[] = {
        {0, 360, {{0, 360}}},
        {30, 120, {{30, 120}}},
        {270, 90, {{270, 360}, {0, 90}}},
        {90, 90, {{90, 360}, {0, 90}}},  // a full turn in two pieces
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int32_t, int32_t>> ranges;
        for (const AngleRange& range : Circle(c.winkel1, c.winkel2).Ranges()) ranges.emplace_back(range.lo, range.hi);
        EXPECT_EQ(ranges, c.ranges) << c.winkel1 << " to " << c.winkel2;
    }
    EXPECT_EQ(AngleRange({270, 360}).Span(), 90);
}

struct Path {
    int32_t ax, ay, bx, by;
};

struct CircleBlocksCase {
    const char* name;
    int32_t winkel1, winkel2;
    Path path;
    bool blocks;
};

const CircleBlocksCase kCircleBlocksCases[] = {
    {"both ends inside", 0, 360, {90, 100, 110, 100}, false},
    {"one end on the circle", 0, 360, {150, 100, 200, 100}, true},
    {"one end inside", 0, 360, {100, 100, 200, 130}, true},
    {"passing outside", 0, 360, {0, 0, 200, 0}, false},
    {"crossing", 0, 360, {0, 100, 200, 100}, true},
    {"touching", 0, 360, {0, 50, 200, 50}, true},
    {"perpendicular foot beyond the ends", 0, 360, {160, 90, 200, 90}, false},
    {"foot before the start", 0, 360, {-100, 90, 40, 90}, false},
    {"a single point", 0, 360, {150, 100, 150, 100}, false},
    // The upper half, through 0: winkel1 = 270 to winkel2 = 90.
    {"upper half, crossing above the centre", 270, 90, {0, 80, 200, 80}, true},
    {"upper half, crossing below the centre", 270, 90, {0, 120, 200, 120}, false},
    {"upper half, from inside to the top", 270, 90, {100, 100, 100, 0}, true},
    {"upper half, from inside to the bottom", 270, 90, {100, 100, 100, 200}, false},
    {"upper half, missing", 270, 90, {0, 0, 200, 0}, false},
    // An arc that does not wrap includes its end angles.
    {"0 to 90, through its end at 90", 0, 90, {100, 100, 200, 100}, true},
    {"90 to 180, through its start at 90", 90, 180, {100, 100, 200, 100}, true},
    {"90 to 180, down to the right", 90, 180, {100, 100, 200, 200}, true},
    {"0 to 90, to the left", 0, 90, {100, 100, 0, 100}, false},
    // Equal angles: everything but the single angle 90.
    {"90 to 90, to the left", 90, 90, {100, 100, 0, 100}, true},
    {"90 to 90, downward", 90, 90, {100, 100, 100, 200}, true},
    {"90 to 90, across", 90, 90, {0, 100, 200, 100}, true},
    {"90 to 90, through the angle 90 only", 90, 90, {100, 100, 200, 100}, false},
    // A full turn written otherwise is an arc: its angles 360 ... 720 hold no
    // angle of [0, 360), so it blocks nothing.
    {"360 to 720", 360, 720, {0, 100, 200, 100}, false},
};

TEST_F(CircleTest, Blocks) {
    for (const CircleBlocksCase& c : kCircleBlocksCases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        const Path& p = c.path;
        EXPECT_EQ(circle.Blocks(p.ax, p.ay, p.bx, p.by, 0, 0), c.blocks) << c.name;
        EXPECT_EQ(circle.Blocks(p.bx, p.by, p.ax, p.ay, 0, 0), c.blocks) << c.name << ", reversed";
        EXPECT_FALSE(circle.Blocks(p.ax, p.ay, p.bx, p.by, 2, 0)) << c.name << ", skipA";
        EXPECT_FALSE(circle.Blocks(p.ax, p.ay, p.bx, p.by, 0, 2)) << c.name << ", skipB";
    }
}

TEST_F(CircleTest, BlocksWithHugeCoordinates) {
    TObjektKreis circle(0, 0, 1000000000, 0);
    circle.number = 2;
    EXPECT_TRUE(circle.Blocks(-2000000000, 0, 2000000000, 0, 0, 0));
    EXPECT_FALSE(circle.Blocks(-2000000000, -2000000000, 2000000000, -2000000000, 0, 0));
    EXPECT_FALSE(circle.Blocks(-10, -10, 10, 10, 0, 0)) << "both ends inside";
    circle.winkel1 = 270;
    circle.winkel2 = 90;
    EXPECT_TRUE(circle.Blocks(-2000000000, -500000000, 2000000000, -500000000, 0, 0));
    EXPECT_FALSE(circle.Blocks(-2000000000, 500000000, 2000000000, 500000000, 0, 0));
}

struct NearCase {
    const char* name;
    int32_t winkel1, winkel2;
    int32_t x, y, d;
    bool near;
};

TEST_F(CircleTest, IsNear) {
    const NearCase cases[] = {
        {"3 outside, d = 4", 0, 360, 100, 47, 4, true},
        {"3 outside, d = 3 (strict)", 0, 360, 100, 47, 3, false},
        {"3 inside", 0, 360, 100, 53, 4, true},
        {"centre, small d", 0, 360, 100, 100, 10, false},
        {"centre, d beyond the radius", 0, 360, 100, 100, 51, true},
        // The upper half 270 ... 90.
        {"upper half, above the top", 270, 90, 100, 48, 3, true},
        {"upper half, below the bottom", 270, 90, 100, 152, 3, false},
        {"upper half, right end", 270, 90, 152, 100, 3, true},
        {"upper half, left end", 270, 90, 48, 100, 3, true},
        {"upper half, lower right", 270, 90, 137, 137, 3, false},
        {"upper half, far away", 270, 90, 100, 0, 3, false},
        {"arc, at the centre", 30, 60, 100, 100, 60, true},
        // d greater than rho + r: every point of the circle lies within d.
        {"arc, the whole circle within d", 0, 10, 100, 105, 60, true},
        {"arc, d just beyond rho + r", 170, 190, 100, 95, 56, true},
        // The nearest arc point, at 170 or 190, lies 54.9 away.
        {"arc, d just short of rho + r", 170, 190, 100, 95, 54, false},
    };
    for (const NearCase& c : cases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        EXPECT_EQ(circle.IsNear(c.x, c.y, c.d, 0, 0), c.near) << c.name;
        EXPECT_FALSE(circle.IsNear(c.x, c.y, c.d, 2, 0)) << c.name << ", skipA";
        EXPECT_FALSE(circle.IsNear(c.x, c.y, c.d, 0, 2)) << c.name << ", skipB";
    }
}

TEST_F(CircleTest, DrawFullCircleArcOrNothing) {
    struct Case {
        const char* name;
        int32_t winkel1, winkel2;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"full circle", 0, 360, {"pen 255", "brush hollow", "ellipse 50 50 150 150"}},
        // Counter-clockwise from the point at 90 (right) to the point at 0 (top).
        {"quarter", 0, 90, {"pen 255", "arc 50 50 150 150 150 100 100 50"}},
        {"upper half", 270, 90, {"pen 255", "arc 50 50 150 150 150 100 50 100"}},
        {"lower half", 90, 270, {"pen 255", "arc 50 50 150 150 50 100 150 100"}},
        // sin 45 * 50 = 35.36.
        {"45 to 135", 45, 135, {"pen 255", "arc 50 50 150 150 135 135 135 65"}},
        {"360 to 720 is an arc", 360, 720, {"pen 255", "arc 50 50 150 150 100 50 100 50"}},
        {"equal angles draw nothing", 90, 90, {"pen 255"}},
    };
    for (const Case& c : cases) {
        TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        circle.colour = 255;
        RecordingCanvas canvas;
        circle.Draw(canvas);
        EXPECT_EQ(canvas.calls, c.calls) << c.name;
    }
}

TEST_F(CircleTest, DrawsTheUpperHalfOnAPicture) {
    platform::RasterBitmap picture(200, 200);
    TObjektKreis circle = Circle(270, 90);
    circle.colour = 0x0000FF;
    circle.Draw(picture.GetCanvas());
    EXPECT_EQ(picture.Pixel(100, 50), 0x0000FF) << "top";
    EXPECT_EQ(picture.Pixel(100, 149), 0xFFFFFF) << "bottom stays white";
    EXPECT_EQ(picture.Pixel(100, 100), 0xFFFFFF) << "not filled";
}

// Makes the file helpers reachable, as a circular kind uses them.
class FileCircle : public TObjektKreis {
public:
    using TObjektKreis::LoadCoordinates;
    using TObjektKreis::SaveCoordinates;
    using TObjektKreis::TObjektKreis;
};

TEST_F(CircleTest, CoordinatesInTheSceneFile) {
    FileCircle circle(100, 100, 130, 140);
    circle.winkel1 = 270;
    circle.winkel2 = 90;
    platform::TextFile file;
    circle.SaveCoordinates(file);
    EXPECT_EQ(file.Lines(),
              (std::vector<std::string>{"xmitte=100", "ymitte=100", "radius=50", "winkel1=270", "winkel2=90"}));

    FileCircle loaded(0, 0, 0, 0);
    EXPECT_TRUE(loaded.LoadCoordinates(file));
    EXPECT_EQ(loaded.xmitte, 100);
    EXPECT_EQ(loaded.ymitte, 100);
    EXPECT_EQ(loaded.radius, 50);
    EXPECT_EQ(loaded.winkel1, 270);
    EXPECT_EQ(loaded.winkel2, 90);

    // A misspelt key stops the reading there; the keys before it are taken.
    platform::TextFile damaged = platform::TextFile::FromText("xmitte=7\r\nymitte=8\r\nradios=9\r\nwinkel1=1\r\n");
    FileCircle partly(0, 0, 3, 4);
    EXPECT_FALSE(partly.LoadCoordinates(damaged));
    EXPECT_EQ(partly.xmitte, 7);
    EXPECT_EQ(partly.ymitte, 8);
    EXPECT_EQ(partly.radius, 5);
    EXPECT_EQ(partly.winkel1, 0);
    EXPECT_EQ(damaged.ReadLine(), "winkel1=1") << "nothing read past the mismatch";
}

}  // namespace
