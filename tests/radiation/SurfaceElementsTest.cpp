// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "HeadlessFixture.h"
#include "model/Geometry.h"
#include "radiation/MirrorElements.h"
#include "radiation/SurfaceElements.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;

namespace {

using SurfaceElementsTest = HeadlessSceneTest;

TEST_F(SurfaceElementsTest, BinDirections) {
    // With 102 bins each bin's direction lies in that bin, and bin j + 51
    // points opposite bin j.
    for (int32_t j = 0; j < 102; ++j) {
        const FloatPoint u = BinDirection(102, j, 30, -40, 50);
        const FloatPoint opposite = BinDirection(102, (j + 51) % 102, 30, -40, 50);
        EXPECT_EQ(DirectionBinIndex(102, u.x, u.y, 30, -40), j);
        EXPECT_NEAR(u.x + opposite.x, 0, 1e-6) << "bin " << j;
        EXPECT_NEAR(u.y + opposite.y, 0, 1e-6) << "bin " << j;
    }
    // A hair short of a full turn is exactly 36 bins as a float: bin 0.
    ASSERT_EQ(DirectionBin(36, 1, 1e-7f, 1, 0), 36.0f);
    EXPECT_EQ(DirectionBinIndex(36, 1, 1e-7f, 1, 0), 0);
    // Light straight up a horizontal mirror, in bin 27, passes on in bin 9 and is reflected in bin 26.
    EXPECT_EQ(TransmittedBin(36, 27), 9);
    EXPECT_EQ(ReflectedBin(36, 27), 26);
}

struct Visit {
    int32_t index, unreduced;
    float weight;
};

// The bins, of 36, covered by the element e1-e2 seen from P, against the tangent (1, 0).
std::vector<Visit> CoveredBins(float px, float py, FloatPoint e1, FloatPoint e2) {
    std::vector<Visit> visits;
    const BinWindow window = CoveredBinWindow(36, px, py, e1, e2, 1, 0);
    ForEachBinOfWindow(36, window.first, window.last, [&](int32_t index, int32_t unreduced, float weight) {
        visits.push_back({index, unreduced, weight});
    });
    return visits;
}

TEST_F(SurfaceElementsTest, CoveredBinsShareTheAngleSeenFromThePoint) {
    // A 1-pixel element 100 pixels away covers a2 - a1 of bin 28 only, the
    // angle atan(0.205) - atan(0.195). Floats near 36 bins hold 4e-6.
    const std::vector<Visit> one = CoveredBins(20, 100, {-0.5f, 0}, {0.5f, 0});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].index, 28);
    EXPECT_NEAR(one[0].weight, (std::atan(0.205) - std::atan(0.195)) * 36 / (2 * kPi), 1e-5);
    // Around the tangent, from 36 - 0.1146 to 0.1146: the short way, bins 35
    // and 36, that is 0.
    const std::vector<Visit> wrapped = CoveredBins(100, 0, {0, -2}, {0, 2});
    ASSERT_EQ(wrapped.size(), 2u);
    EXPECT_EQ(wrapped[0].index, 35);
    EXPECT_EQ(wrapped[1].index, 0);
    EXPECT_EQ(wrapped[1].unreduced, 36);
    EXPECT_NEAR(wrapped[0].weight, std::atan(0.02) * 36 / (2 * kPi), 1e-5);
    EXPECT_NEAR(wrapped[1].weight, wrapped[0].weight, 1e-5);
}

TEST_F(SurfaceElementsTest, ElementCacheRebuildsOnlyOnChange) {
    MirrorElements cache;
    ASSERT_TRUE(cache.RebuildElements(0, 20, 0, 8, 5, 36));
    ASSERT_EQ(cache.Elements().size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(cache.Elements()[i].y, 18.0f - 4 * static_cast<float>(i));
    auto mark = [&] { cache.Elements()[0].dirrad[0] = cache.Elements()[0].difplus = 1; };
    mark();
    EXPECT_FALSE(cache.RebuildElements(0, 20, 0, 8, 5, 36));
    EXPECT_EQ(cache.Elements()[0].difplus, 1) << "an unchanged mirror keeps its values";
    struct Change {
        int32_t x1, y1, x2, y2, sellaenge, richtungprosel;
        size_t elements;
    };
    const Change changes[] = {
        {1, 20, 0, 8, 5, 102, 3}, {0, 0, 4, 0, 5, 102, 1},  // 4 px: one element at the midpoint
    };
    for (const Change& c : changes) {
        mark();
        EXPECT_TRUE(cache.RebuildElements(c.x1, c.y1, c.x2, c.y2, c.sellaenge, c.richtungprosel));
        ASSERT_EQ(cache.Elements().size(), c.elements);
        EXPECT_EQ(cache.Elements()[0].dirrad, std::vector<float>(static_cast<size_t>(c.richtungprosel), 0.0f));
        EXPECT_EQ(cache.Elements()[0].difplus, 0) << "rebuilt from zero";
    }
    EXPECT_FLOAT_EQ(cache.Elements()[0].x, 2);
}

// Regression test: the squared length of a mirror spanning 4e9 pixels
// overflowed 64-bit integers and left it without elements instead of refusing it.
TEST_F(SurfaceElementsTest, FarOffMirrorIsRefusedAndTheOldListStays) {
    MirrorElements cache;
    ASSERT_TRUE(cache.RebuildElements(0, 0, 12, 0, 5, 36));
    EXPECT_THROW(cache.RebuildElements(-2000000000, 0, 2000000000, 0, 5, 102), std::runtime_error);
    EXPECT_FLOAT_EQ(cache.seglen, 4e9f);
    EXPECT_EQ(cache.Elements().size(), 3u);
}

}  // namespace
