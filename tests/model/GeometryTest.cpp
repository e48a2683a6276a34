// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "HeadlessFixture.h"
#include "model/Geometry.h"
#include "model/IterationPass.h"
#include "model/ObjektGerade.h"
#include "model/Settings.h"

using namespace brevanto;
using namespace brevanto::model;

namespace {

using GeometryTest = HeadlessSceneTest;

constexpr int32_t kHuge = 2000000000, kFar = 1000000000;

TEST_F(GeometryTest, StraightBlocks) {
    struct Case {
        const char* name;
        int32_t x1, y1, x2, y2, ax, ay, bx, by;  // the segment, then the path A-B
        bool blocks;
    };
    const Case cases[] = {
        {"crossing the line beyond the end", 0, 0, 10, 10, 30, 0, 0, 30, false},
        {"path ends on the segment", 0, 0, 10, 10, 0, 10, 5, 5, true},
        {"vertical path through the end point", 0, 0, 10, 0, 10, -5, 10, 5, true},
        // Regression test: with differences of 4e9 the products of the
        // intersection formulas overflowed 64-bit integers.
        {"huge vertical segment", kFar, -kHuge, kFar, kHuge, -kHuge, -kHuge, kHuge, kHuge, true},
        {"huge vertical segment missed", kFar, -kHuge, kFar, 0, -kHuge, -kHuge, kHuge, kHuge, false},
        {"huge vertical path", -kHuge, -kHuge, kHuge, kHuge, kFar, -kHuge, kFar, kHuge, true},
    };
    for (const Case& c : cases) {
        TObjektGerade object(c.x1, c.y1, c.x2, c.y2);
        object.number = 2;
        EXPECT_EQ(object.Blocks(c.ax, c.ay, c.bx, c.by, 0, 0), c.blocks) << c.name;
        EXPECT_EQ(object.Blocks(c.bx, c.by, c.ax, c.ay, 0, 0), c.blocks) << c.name << ", reversed";
        EXPECT_FALSE(object.Blocks(c.ax, c.ay, c.bx, c.by, 2, 0) || object.Blocks(c.ax, c.ay, c.bx, c.by, 0, 2));
    }
}

TEST_F(GeometryTest, StraightIsNearAndTheScreensBorders) {
    // Within the rectangle of half-width d around the segment, extended by d
    // beyond both ends.
    struct Case {
        int32_t x1, y1, x2, y2, x, y, d;
        bool near;
    };
    const Case cases[] = {
        {0, 0, 10, 0, -3, 0, 3, true},
        {0, 0, 10, 0, -3, 0, 2, false},
        {0, 0, 30, 40, 33, 44, 4, false},  // 5 beyond (30, 40)
        // Regression test: the squared length of 4e9 overflowed 64-bit integers.
        {-kHuge, -kHuge, kHuge, kHuge, kFar, kFar, 1, true},
        {-kHuge, -kHuge, kHuge, kHuge, kFar, -kFar, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TObjektGerade(c.x1, c.y1, c.x2, c.y2).IsNear(c.x, c.y, c.d, 0, 0), c.near)
            << c.x << "," << c.y << " d=" << c.d;
    EXPECT_FLOAT_EQ(TObjektGerade(-kHuge, 0, kHuge, 0).Length(), 4e9f);
    // 800 x 600: x = breite and y = hoehe still lie on the screen.
    EXPECT_FALSE(IsOffScreen(800, 600, settings) || IsOffScreen(0, 0, settings));
    EXPECT_TRUE(IsOffScreen(-1, 0, settings) && IsOffScreen(0, -1, settings));
    EXPECT_TRUE(IsOffScreen(801, 0, settings) && IsOffScreen(0, 601, settings));
}

TEST_F(GeometryTest, AngleRangesOverlap) {
    struct Case {
        double a1, a2, b1, b2;
        bool overlap;
    };
    const Case cases[] = {
        {10, 20, 20, 30, false},
        {5, 20, 350, 10, true},
        {370, 380, 5, 15, true},  // normalized to 350..10 and 10..20
        // Regression test: a wrapped range starting between 359 and 360 was
        // split into 359.5..359, which wraps again, without end.
        {359.5, 10, 100, 200, false},
        {359.5, 10, 5, 20, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AngleRangesOverlap(c.a1, c.a2, c.b1, c.b2), c.overlap)
            << c.a1 << ".." << c.a2 << " vs " << c.b1 << ".." << c.b2;
}

// From u to v in n bins per turn, counter-clockwise with y upward.
// Regression test: the sine and cosine were rounded to float before their
// arc sine and arc cosine, so light arriving exactly on a bin boundary came
// out a hair short of it, in the bin below.
TEST_F(GeometryTest, DirectionBinIsExactOnBinBoundaries) {
    struct Case {
        int32_t n;
        float ux, uy, vx, vy, bins;
    };
    const Case cases[] = {
        {4, 1, 0, 0, -1, 3},    {102, 3, 4, -3, -4, 51},   {4, 0, 0, 1, 0, 0},
        {32, 1, 0, -1, -1, 20}, {102, 3, -5, 5, 3, 25.5f}, {32, -7.0710678f, 7.0710678f, -200, 0, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirectionBin(c.n, c.ux, c.uy, c.vx, c.vy), c.bins)
            << c.n << ": (" << c.ux << "," << c.uy << ") to (" << c.vx << "," << c.vy << ")";
}

TEST_F(GeometryTest, HasChangedRelativeToTheNewValue) {
    EXPECT_FALSE(HasChanged(0, 0, 1));
    EXPECT_TRUE(HasChanged(1.0, 1.02, 1));
    EXPECT_TRUE(HasChanged(1.0, 0.99005, 1)) << "1.005 % of the new value, 0.995 % of the old";
    EXPECT_FALSE(HasChanged(1.0, 1.0101, 1)) << "0.9999 % of the new value, 1.01 % of the old";
    EXPECT_FALSE(HasChanged(0.5, 0.5, 0)) << "a criterion of 0 still lets the computation end";
}

// The largest change a pass shows its user is the one the criterion decided
// on: relative to the new value, and beyond any criterion where a value left
// or reached 0.
TEST_F(GeometryTest, PassChangeKeepsTheLargestChangeAndWhetherItWasBeyondTheCriterion) {
    PassChange change;
    change.Note(1.0, 1.0101, 1);
    EXPECT_FALSE(change.beyondCriterion);
    EXPECT_NEAR(change.largestPercent, 0.9999, 1e-4);  // 0.0101 / 1.0101, rounded to the digits written
    PassChange other;
    other.Note(1.0, 0.99005, 1);
    other.Note(2.0, 2.0, 1);
    change.Add(other);
    EXPECT_TRUE(change.beyondCriterion);
    EXPECT_NEAR(change.largestPercent, 1.005, 1e-3);
    change.Note(0.0, 3.0, 1);
    EXPECT_TRUE(std::isinf(change.largestPercent));
    EXPECT_EQ(RelativeChangePercent(0, 0), 0);
}

}  // namespace
