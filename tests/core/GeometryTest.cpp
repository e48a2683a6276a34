#include <gtest/gtest.h>

#include <cmath>

#include "model/Hilfsfunktionen.h"
#include "model/ObjektGerade.h"
#include "model/Programvar.h"
#include "model/Stringfunktionen.h"
#include "platform/TextFile.h"
#include "TestScene.h"

namespace {

using GeometryTest = SceneTest;

struct Segment {
    int32_t x1, y1, x2, y2;
};

struct BlocksCase {
    const char* name;
    Segment object;
    Segment path;
    bool blocks;
};

constexpr int32_t kHuge = 2000000000;

const BlocksCase kBlocksCases[] = {
    {"crossing", {0, 0, 10, 10}, {0, 10, 10, 0}, true},
    {"missing beyond the end", {0, 0, 10, 10}, {20, 0, 30, -10}, false},
    {"parallel", {0, 0, 10, 10}, {0, 5, 10, 15}, false},
    {"collinear and overlapping", {0, 0, 10, 10}, {5, 5, 20, 20}, false},
    {"horizontal collinear", {0, 0, 10, 0}, {-5, 0, 5, 0}, false},
    {"vertical against vertical", {5, 0, 5, 10}, {6, 0, 6, 10}, false},
    {"vertical collinear", {5, 0, 5, 10}, {5, 2, 5, 20}, false},
    {"path ends on the segment", {0, 0, 10, 10}, {0, 10, 5, 5}, true},
    {"vertical path ends on the segment", {0, 0, 10, 0}, {5, -5, 5, 0}, true},
    {"path touches the end point", {0, 0, 10, 0}, {10, -5, 10, 5}, true},
    {"path stops short", {0, 0, 10, 10}, {0, 10, 4, 6}, false},
    {"vertical segment crossed", {5, 0, 5, 10}, {0, 5, 10, 5}, true},
    {"vertical segment missed", {5, 0, 5, 10}, {0, 15, 10, 15}, false},
    {"vertical path crossing", {0, 0, 10, 10}, {5, 0, 5, 10}, true},
    {"vertical path missing", {0, 0, 10, 10}, {15, 0, 15, 30}, false},
    {"huge crossing", {-kHuge, 0, kHuge, 0}, {0, -kHuge, 0, kHuge}, true},
    {"huge missing", {-kHuge, -kHuge, -kHuge + 10, -kHuge}, {kHuge, kHuge, kHuge - 10, kHuge - 10}, false},
    // Coordinate differences of 4e9 make the products of the intersection
    // formulas leave 64-bit integers.
    {"huge diagonal against vertical", {1000000000, -kHuge, 1000000000, kHuge}, {-kHuge, -kHuge, kHuge, kHuge}, true},
    {"huge vertical path", {-kHuge, -kHuge, kHuge, kHuge}, {1000000000, -kHuge, 1000000000, kHuge}, true},
    {"huge diagonal missing vertical", {1000000000, -kHuge, 1000000000, 0}, {-kHuge, -kHuge, kHuge, kHuge}, false},
};

TEST_F(GeometryTest, StraightBlocks) {
    for (const BlocksCase& c : kBlocksCases) {
        TObjektGerade object(c.object.x1, c.object.y1, c.object.x2, c.object.y2);
        object.number = 2;
        EXPECT_EQ(object.Blocks(c.path.x1, c.path.y1, c.path.x2, c.path.y2, 0, 0), c.blocks) << c.name;
        EXPECT_EQ(object.Blocks(c.path.x2, c.path.y2, c.path.x1, c.path.y1, 0, 0), c.blocks) << c.name << ", reversed";
        EXPECT_FALSE(object.Blocks(c.path.x1, c.path.y1, c.path.x2, c.path.y2, 2, 0)) << c.name << ", skipA";
        EXPECT_FALSE(object.Blocks(c.path.x1, c.path.y1, c.path.x2, c.path.y2, 0, 2)) << c.name << ", skipB";
    }
}

struct NearCase {
    int32_t x, y, d;
    bool near;
};

TEST_F(GeometryTest, StraightIsNear) {
    // A horizontal segment from (0, 0) to (10, 0): the rectangle of half-width
    // d around it, extended by d beyond both ends.
    const NearCase cases[] = {
        {13, 0, 3, true}, {13, 0, 2, false}, {-3, 0, 3, true}, {-3, 0, 2, false},
        {5, 3, 3, true},  {5, 4, 3, false},  {5, -3, 3, true}, {13, 3, 3, true},  // the corner counts
        {14, 0, 3, false},
    };
    TObjektGerade object(0, 0, 10, 0);
    for (const NearCase& c : cases)
        EXPECT_EQ(object.IsNear(c.x, c.y, c.d, 0, 0), c.near) << c.x << "," << c.y << " d=" << c.d;
    // The same along a slanted segment: (33, 44) lies 5 pixels beyond (30, 40)
    // in its direction.
    TObjektGerade slanted(0, 0, 30, 40);
    EXPECT_TRUE(slanted.IsNear(33, 44, 5, 0, 0));
    EXPECT_FALSE(slanted.IsNear(33, 44, 4, 0, 0));
    // Regression test: far-off coordinates from a file used to overflow the
    // 64-bit products (differences of 4e9 squared).
    TObjektGerade huge(-kHuge, -kHuge, kHuge, kHuge);
    EXPECT_TRUE(huge.IsNear(1000000000, 1000000000, 1, 0, 0));
    EXPECT_FALSE(huge.IsNear(1000000000, -1000000000, 1, 0, 0));
}

TEST_F(GeometryTest, StraightShape) {
    TObjektGerade object(1, 2, 1, 2);
    EXPECT_TRUE(object.IsDegenerate());
    prgvar().berechnet = true;
    object.SetEndPoint(4, 6);
    EXPECT_FALSE(object.IsDegenerate());
    EXPECT_EQ(object.x2, 4);
    EXPECT_EQ(object.y2, 6);
    EXPECT_FLOAT_EQ(object.Length(), 5.0f);
    EXPECT_TRUE(prgvar().berechnet) << "the mouse-up clears the flag, not the drag";
    EXPECT_FLOAT_EQ(TObjektGerade(-kHuge, 0, kHuge, 0).Length(), 4e9f);
}

TEST_F(GeometryTest, IsOffScreenAtTheBorders) {
    // The picture is 800 wide and 600 high; its right and bottom border count.
    EXPECT_FALSE(IsOffScreen(0, 0));
    EXPECT_FALSE(IsOffScreen(800, 600));
    EXPECT_TRUE(IsOffScreen(-1, 0));
    EXPECT_TRUE(IsOffScreen(0, -1));
    EXPECT_TRUE(IsOffScreen(801, 0));
    EXPECT_TRUE(IsOffScreen(0, 601));
}

TEST_F(GeometryTest, AngleRangesOverlap) {
    struct Case {
        Extended a1, a2, b1, b2;
        bool overlap;
    };
    const Case cases[] = {
        {350, 10, 5, 20, true},    // the wrapped part 0..10 overlaps 5..20
        {10, 20, 20, 30, false},   // touching ends do not overlap
        {10, 20, 15, 30, true},    {10, 20, 30, 40, false},
        {5, 20, 350, 10, true},    // b wraps
        {350, 10, 340, 5, true},   // both wrap
        {-10, 10, 5, 20, true},    // -10 is 350
        {370, 380, 5, 15, true},   // 10..20
        {300, 10, 20, 30, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AngleRangesOverlap(c.a1, c.a2, c.b1, c.b2), c.overlap) << c.a1 << ".." << c.a2 << " vs " << c.b1
                                                                         << ".." << c.b2;
}

// Regression test: a wrapped range starting between 359 and 360 used to be
// split into the range 359.5..359, which wraps again, without end.
TEST_F(GeometryTest, AngleRangeStartingAfter359DoesNotRecurse) {
    EXPECT_FALSE(AngleRangesOverlap(359.5, 10, 100, 200));
    EXPECT_TRUE(AngleRangesOverlap(359.5, 10, 5, 20));
    EXPECT_FALSE(AngleRangesOverlap(100, 200, 359.5, 10));
    EXPECT_TRUE(AngleRangesOverlap(5, 20, 359.5, 10));
    EXPECT_TRUE(AngleRangesOverlap(359.5, 10, 359.7, 20));
}

TEST_F(GeometryTest, NormalizeAngle) {
    EXPECT_DOUBLE_EQ(NormalizeAngle(370, 360), 10);
    EXPECT_DOUBLE_EQ(NormalizeAngle(360, 360), 0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-10, 360), 350);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-720, 360), 0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(1e6 + 30, 360), std::fmod(1e6 + 30, 360));
    EXPECT_DOUBLE_EQ(NormalizeAngle(7, 2 * kPi), 7 - 2 * kPi);
}

TEST_F(GeometryTest, DirectionAngle) {
    struct Case {
        Extended x, y, radians;
    };
    const Case cases[] = {
        {1, 0, 0},           {1, 1, kPi / 4},  {0, 1, kPi / 2}, {-1, 1, 3 * kPi / 4},
        {-1, 0, kPi},        {-1, -1, 5 * kPi / 4}, {0, -1, 3 * kPi / 2}, {1, -1, 7 * kPi / 4},
        {0, 0, kPi / 2},  // the zero vector
    };
    // Two ulps of 2 pi are about 1e-15; the atan of the library is within one.
    for (const Case& c : cases) EXPECT_NEAR(DirectionAngle(c.x, c.y), c.radians, 1e-14) << c.x << "," << c.y;
}

TEST_F(GeometryTest, DirectionBin) {
    struct Case {
        int32_t n;
        float ux, uy, vx, vy;
        float bins;
    };
    const Case cases[] = {
        {4, 1, 0, 0, 1, 1},       // a quarter turn counter-clockwise (x right, y up)
        {4, 1, 0, 0, -1, 3},      // a quarter turn clockwise
        {4, 1, 0, 1, 0, 0},       {4, 1, 0, -1, 0, 2},  {4, 1, 0, 5, 0, 0},  // lengths do not matter
        {8, 1, 0, 1, 1, 1},       {8, 1, 0, -1, 1, 3},  {8, 1, 0, -1, -1, 5},  {8, 1, 0, 1, -1, 7},
        {360, 0, 1, 1, 0, 270},   {102, 3, 4, -3, -4, 51},
        {4, 0, 0, 1, 0, 0},       // a zero vector gives 0
    };
    // The sine and cosine go through 32-bit floats: about 1e-7 of a turn.
    for (const Case& c : cases)
        EXPECT_NEAR(DirectionBin(c.n, c.ux, c.uy, c.vx, c.vy), c.bins, 1e-6f * static_cast<float>(c.n))
            << c.n << ": (" << c.ux << "," << c.uy << ") to (" << c.vx << "," << c.vy << ")";
}

TEST_F(GeometryTest, HasChanged) {
    EXPECT_FALSE(HasChanged(0, 0));
    EXPECT_TRUE(HasChanged(0, 1e-30));
    EXPECT_TRUE(HasChanged(1, 0));
    prgvar().abbruchgenauigkeit = 1;
    EXPECT_TRUE(HasChanged(1.0, 1.02));
    EXPECT_FALSE(HasChanged(1.0, 0.995));
    // Relative to the new value: 1.0 -> 0.99 is 1.0101 % of 0.99.
    EXPECT_TRUE(HasChanged(1.0, 0.99));
    prgvar().abbruchgenauigkeit = 0;
    EXPECT_FALSE(HasChanged(0.5, 0.5));
    EXPECT_TRUE(HasChanged(0.5, 0.5000001));
}

TEST_F(GeometryTest, IntervalHelpers) {
    EXPECT_TRUE(Between(1, 3, 1));
    EXPECT_TRUE(Between(3, 1, 3));
    EXPECT_TRUE(Between(3, 1, 2));
    EXPECT_FALSE(Between(3, 1, 3.5f));
    EXPECT_FALSE(Between(1, 3, 0.5f));
    // Only the coordinate of the larger extent counts; ties use y.
    EXPECT_TRUE(OnSegmentDominant(0, 10, 5, 0, 1, 99));
    EXPECT_FALSE(OnSegmentDominant(0, 10, 11, 0, 1, 0));
    EXPECT_TRUE(OnSegmentDominant(0, 1, 99, 0, 10, 5));
    EXPECT_TRUE(OnSegmentDominant(0, 10, 99, 0, 10, 5));
    EXPECT_FALSE(OnSegmentDominant(0, 10, 5, 0, 10, 11));
    EXPECT_DOUBLE_EQ(Max(1, 2), 2);
    EXPECT_DOUBLE_EQ(Max(2, 1), 2);
    float a = 1, b = 2;
    Swap(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST_F(GeometryTest, StringHelpers) {
    EXPECT_EQ(LeftPart("x1=20", 3), "x1=");
    EXPECT_EQ(LeftPart("x1", 3), "x1");
    EXPECT_EQ(RestAfter("x1=20", 3), "20");
    EXPECT_EQ(RestAfter("x1=", 3), "");
    EXPECT_EQ(RestAfter("x", 3), "");
}

}  // namespace
