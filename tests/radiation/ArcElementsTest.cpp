// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "radiation/ArcElements.h"
#include "radiation/CircularMirrorElements.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;

namespace {

using ArcElementsTest = HeadlessSceneTest;

// Centre (100, 100), radius 50.
TObjektKreis Circle(int32_t winkel1, int32_t winkel2) {
    TObjektKreis circle(100, 100, 150, 100);
    circle.winkel1 = winkel1;
    circle.winkel2 = winkel2;
    circle.number = 2;
    return circle;
}

std::vector<size_t> Counts(const std::vector<ArcPiece>& pieces) {
    std::vector<size_t> counts;
    for (const ArcPiece& piece : pieces) counts.push_back(piece.elements.size());
    return counts;
}

TEST_F(ArcElementsTest, RangesAreCutByTheirSpan) {
    struct Case {
        int32_t winkel1, winkel2, extra;
        std::vector<size_t> counts;
    };
    // 102 bins: 102 per full turn outnumber the 62.8 pieces of 5 pixels.
    const Case cases[] = {
        {0, 360, 1, {103}}, {270, 90, 0, {25, 25}}, {500, 10, 1, {63, 3}},  // 500 to 10 is 140 to 10
    };
    for (const Case& c : cases) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        const std::vector<ArcPiece> pieces = CutArc(circle, circle.Ranges(), 5, 102, {c.extra, 1, ""});
        EXPECT_EQ(Counts(pieces), c.counts) << c.winkel1 << " to " << c.winkel2 << " +" << c.extra;
        for (const ArcPiece& piece : pieces)
            for (const ArcElement& element : piece.elements) {
                EXPECT_NEAR(std::hypot(element.centre.x - 100, element.centre.y - 100), 50, 1e-4);
                EXPECT_NEAR(std::hypot(element.start.x - element.end.x, element.start.y - element.end.y),
                            piece.elementLength, 0.01 * piece.elementLength)
                    << "chord and arc nearly agree";
            }
    }
    const TObjektKreis upper = Circle(270, 90);
    const std::vector<ArcPiece> pieces = CutArc(upper, upper.Ranges(), 5, 102, {0, 1, ""});
    EXPECT_FLOAT_EQ(pieces[0].elements.front().start.x, 50) << "the first piece starts at 270 degrees, on the left";
    EXPECT_FLOAT_EQ(pieces[1].elements.back().end.x, 150) << "the second ends at 90 degrees, on the right";
}

TEST_F(ArcElementsTest, TooManyValuesAreRefusedWithTheKindsMessage) {
    const TObjektKreis circle = Circle(0, 360);
    try {
        CutArc(circle, circle.Ranges(), 5, 2'000'000'000, {1, 10, "too large"});
        FAIL() << "not refused";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "too large");
    }
    CircularMirrorElements mirror;
    ASSERT_TRUE(mirror.RebuildElements(circle, 5, 36));
    mirror.Radiation()[0].difrad[0] = 1;
    EXPECT_FALSE(mirror.RebuildElements(circle, 5, 36));
    EXPECT_THROW(mirror.RebuildElements(circle, 5, 10'000), std::runtime_error);
    EXPECT_EQ(mirror.Radiation()[0].difrad[0], 1) << "the old elements stay";
    EXPECT_TRUE(mirror.RebuildElements(circle, 5, 102));
    EXPECT_EQ(mirror.Radiation()[0].difrad[0], 0);
}

// From outside, an element is hidden where the sight line enters the arc
// before it, strictly inside its angles. Regression test: a full circle has
// no end at 0, and hid nothing behind the entry point straight above.
TEST_F(ArcElementsTest, ElementIsHiddenBehindTheArcItself) {
    const OcclusionIndex empty;
    const OcclusionIndex::Candidates noOccluders(empty, {});
    struct Case {
        int32_t winkel1, winkel2;
        bool seen;
    };
    // The element at 180 degrees (the middle one of five), straight below the
    // centre, seen from straight above: the sight line enters at 0 degrees.
    // Regression test: angles beyond 0..360 hid nothing there, although they
    // name the upper half or the full circle.
    for (const Case& c : {Case{0, 360, false},
                          {270, 90, false},
                          {0, 270, true},
                          {90, 0, true},
                          {10, 350, true},
                          {-90, 90, false},
                          {0, 720, false},
                          {-360, 0, false},
                          {360, 0, false},
                          {-370, -350, false}}) {
        const TObjektKreis circle = Circle(c.winkel1, c.winkel2);
        const TObjektKreis whole = Circle(0, 360);
        const std::vector<ArcPiece> pieces = CutArc(whole, whole.Ranges(), 1000, 4, {1, 1, ""});
        const ArcElement& bottom = pieces[0].elements[2];
        const SightPoint end = pieces[0].run.points[2];
        ASSERT_FLOAT_EQ(bottom.centre.y, 150);
        EXPECT_EQ(end.y, 150);
        EXPECT_EQ(ArcElementSees(circle, circle.Ranges(), bottom, end, 100, 0, true, noOccluders), c.seen)
            << c.winkel1 << " to " << c.winkel2;
        EXPECT_TRUE(ArcElementSees(circle, circle.Ranges(), bottom, end, 100, 0, false, noOccluders)) << "from inside";
        EXPECT_FALSE(ArcElementSees(circle, circle.Ranges(), bottom, end, 100, 150, true, noOccluders))
            << "on the element";
    }
}

}  // namespace
