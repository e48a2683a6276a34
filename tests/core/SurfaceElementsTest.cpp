#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/Hilfsfunktionen.h"
#include "radiation/SelListe.h"
#include "radiation/SurfaceElements.h"
#include "TestScene.h"

namespace {

using SurfaceElementsTest = SceneTest;

TEST_F(SurfaceElementsTest, StraightElementCountAndLength) {
    struct Case {
        float length;
        int32_t sellaenge;
        int32_t count;
        float elementLength;
    };
    const Case cases[] = {
        {12, 5, 3, 4},            // Trunc(12/5 + 1)
        {10, 5, 3, 10.0f / 3},    // Trunc(3.0): three, not two, elements
        {4, 5, 1, 4},             // shorter than sellaenge: one element
        {5, 5, 2, 2.5f},          {100, 1, 101, 100.0f / 101},
    };
    for (const Case& c : cases) {
        const int32_t count = StraightElementCount(c.length, c.sellaenge);
        EXPECT_EQ(count, c.count) << c.length << " px at sellaenge " << c.sellaenge;
        EXPECT_FLOAT_EQ(StraightElementLength(c.length, count), c.elementLength);
    }
}

TEST_F(SurfaceElementsTest, StraightElementCentres) {
    // One element: the midpoint.
    const FloatPoint mid = StraightElementCentre(0, 0, 4, 0, 0, 1);
    EXPECT_FLOAT_EQ(mid.x, 2);
    EXPECT_FLOAT_EQ(mid.y, 0);
    // Three elements of a 12-pixel segment, counted from point 1.
    const float expected[] = {2, 6, 10};
    for (int32_t i = 0; i < 3; ++i) {
        const FloatPoint centre = StraightElementCentre(0, 20, 0, 8, i, 3);
        EXPECT_FLOAT_EQ(centre.x, 0);
        EXPECT_FLOAT_EQ(centre.y, 20 - expected[i]);
    }
}

TEST_F(SurfaceElementsTest, ArcElements) {
    // A whole circle of radius 100: 2 pi 100 / 5 = 125.7 pieces beat 102 bins.
    EXPECT_EQ(ArcElementCount(360, 100, 5, 102), 125);
    // A short arc has at least as many elements as the bins its span covers.
    EXPECT_EQ(ArcElementCount(90, 10, 5, 102), 25);
    EXPECT_FLOAT_EQ(ArcElementLength(90, 10, 25), static_cast<float>(kPi * 10 / 2 / 25));
    EXPECT_DOUBLE_EQ(ArcElementAngle(0, 90, 0, 2), 22.5);
    EXPECT_DOUBLE_EQ(ArcElementAngle(0, 90, 1, 2), 67.5);
    EXPECT_DOUBLE_EQ(ArcElementAngle(270, 360, 0, 1), 315);
}

TEST_F(SurfaceElementsTest, OppositeBinsAreOppositeDirections) {
    // With 102 bins, bin j and bin j + 51 point in opposite directions. The
    // vectors are unit vectors computed through 32-bit floats.
    const float tx = 30, ty = -40;
    for (int32_t j = 0; j < 51; ++j) {
        const FloatPoint a = BinDirection(102, j, tx, ty, 50);
        const FloatPoint b = BinDirection(102, j + 51, tx, ty, 50);
        EXPECT_NEAR(a.x + b.x, 0, 1e-6) << "bin " << j;
        EXPECT_NEAR(a.y + b.y, 0, 1e-6) << "bin " << j;
        EXPECT_NEAR(std::hypot(a.x, a.y), 1, 1e-6) << "bin " << j;
    }
}

TEST_F(SurfaceElementsTest, BinDirectionLiesInItsBin) {
    for (const int32_t n : {1, 2, 4, 36, 102}) {
        for (int32_t j = 0; j < n; ++j) {
            const FloatPoint u = BinDirection(n, j, 3, 4, 5);
            EXPECT_EQ(DirectionBinIndex(n, u.x, u.y, 3, 4), j) << n << " bins";
        }
    }
}

TEST_F(SurfaceElementsTest, FullTurnIsBinZero) {
    // From u a hair off the tangent to the tangent is a hair short of a full
    // turn: 36 - 6e-7 bins, exactly 36 as a float. It belongs to bin 0.
    ASSERT_EQ(DirectionBin(36, 1, 1e-7f, 1, 0), 36.0f);
    EXPECT_EQ(DirectionBinIndex(36, 1, 1e-7f, 1, 0), 0);
    EXPECT_EQ(DirectionBinIndex(36, 1, -1e-7f, 1, 0), 0);
}

TEST_F(SurfaceElementsTest, HorizontalMirrorLitStraightDown) {
    // A mirror from (0, 0) to (10, 0), 36 bins of 10 degrees, light going
    // straight down the window. Measured against the reversed tangent the
    // light is in bin 9; it passes on in bin 27 and is reflected in bin 8.
    const int32_t n = 36;
    const int32_t b = DirectionBinIndex(n, 0, 1, -10, 0);
    EXPECT_EQ(b, 9);
    EXPECT_EQ(TransmittedBin(n, b), 27);
    EXPECT_EQ(ReflectedBin(n, b), 8);
    // The bins' own directions, 5 degrees off the vertical: down and up.
    const FloatPoint passed = BinDirection(n, 27, 10, 0, 10);
    const FloatPoint reflected = BinDirection(n, 8, 10, 0, 10);
    const float offVertical = static_cast<float>(std::sin(5 * kPi / 180));
    EXPECT_NEAR(passed.x, offVertical, 1e-6);
    EXPECT_NEAR(passed.y, std::cos(5 * kPi / 180), 1e-6);
    EXPECT_NEAR(reflected.x, offVertical, 1e-6);
    EXPECT_NEAR(reflected.y, -std::cos(5 * kPi / 180), 1e-6);
}

TEST_F(SurfaceElementsTest, ReflectedBinMirrorsTransmittedBin) {
    // Bins j and n - 1 - j are mirror images at the tangent; with an even
    // number of bins the reflected light leaves in the mirror image of the
    // light that passes on. Both indices always lie in 0 ... n - 1.
    for (const int32_t n : {2, 36, 102, 7}) {
        for (int32_t b = 0; b < n; ++b) {
            const int32_t passed = TransmittedBin(n, b), reflected = ReflectedBin(n, b);
            EXPECT_GE(passed, 0);
            EXPECT_LT(passed, n);
            EXPECT_GE(reflected, 0);
            EXPECT_LT(reflected, n);
            if (n % 2 == 0) {
                EXPECT_EQ((passed + reflected) % n, n - 1) << n << " bins, b = " << b;
            }
        }
    }
}

struct Visit {
    int32_t index;
    int32_t unreduced;
    float weight;
};

std::vector<Visit> CoveredBins(int32_t n, float px, float py, FloatPoint e1, FloatPoint e2, float tx, float ty) {
    std::vector<Visit> visits;
    ForEachCoveredBin(n, px, py, e1, e2, tx, ty, [&](int32_t index, int32_t unreduced, float weight) {
        visits.push_back({index, unreduced, weight});
    });
    return visits;
}

TEST_F(SurfaceElementsTest, SingleCoveredBinSendsItsAngle) {
    // A 1-pixel element seen from 100 pixels along its normal, turned a little
    // off the bin boundary: it covers about 0.01 rad = 0.0573 of a 10-degree bin.
    const float tx = 1, ty = 0;
    const FloatPoint e1{-0.5f, 0}, e2{0.5f, 0};
    const float px = 20, py = 100;
    const std::vector<Visit> visits = CoveredBins(36, px, py, e1, e2, tx, ty);
    ASSERT_EQ(visits.size(), 1u);
    float a1 = DirectionBin(36, px - e1.x, py - e1.y, tx, ty);
    float a2 = DirectionBin(36, px - e2.x, py - e2.y, tx, ty);
    if (a1 > a2) Swap(a1, a2);
    EXPECT_EQ(visits[0].index, Trunc(a1));
    EXPECT_EQ(visits[0].unreduced, visits[0].index);
    EXPECT_FLOAT_EQ(visits[0].weight, a2 - a1);
    // The angle itself: atan(20.5/100) - atan(19.5/100) in bins; the floats of
    // DirectionBin near bin 28 are good to about 2e-6.
    const Extended angle = std::atan(20.5 / 100) - std::atan(19.5 / 100);
    EXPECT_NEAR(visits[0].weight, angle * 36 / (2 * kPi), 1e-5);
}

TEST_F(SurfaceElementsTest, SeveralCoveredBinsShareTheAngle) {
    // A 200-pixel element seen from 100 pixels along its normal covers 90
    // degrees: with 36 bins from 22.5 to 31.5.
    const std::vector<Visit> visits = CoveredBins(36, 0, 100, {-100, 0}, {100, 0}, 1, 0);
    ASSERT_EQ(visits.size(), 10u);
    float total = 0;
    for (size_t k = 0; k < visits.size(); ++k) {
        EXPECT_EQ(visits[k].index, static_cast<int32_t>(22 + k));
        const float expected = (k == 0 || k + 1 == visits.size()) ? 0.5f : 1.0f;
        // Half bins through float angles near bin 31: about 2e-6.
        EXPECT_NEAR(visits[k].weight, expected, 1e-5) << "bin " << visits[k].index;
        total += visits[k].weight;
    }
    EXPECT_NEAR(total, 9, 1e-5);
}

TEST_F(SurfaceElementsTest, CoveredBinsWrapPastZero) {
    // Seen from (100, 0), the element from (0, -2) to (0, 2) lies around the
    // tangent direction: from 36 - 0.1146 to 0.1146 bins, taken the short way
    // as bins 35 and 36, that is 35 and 0.
    const std::vector<Visit> visits = CoveredBins(36, 100, 0, {0, -2}, {0, 2}, 1, 0);
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].index, 35);
    EXPECT_EQ(visits[0].unreduced, 35);
    EXPECT_EQ(visits[1].index, 0);
    EXPECT_EQ(visits[1].unreduced, 36);
    // atan(2/100) = 0.019997 rad = 0.11458 bins; floats near 36 hold 4e-6.
    const Extended half = std::atan(0.02) * 36 / (2 * kPi);
    EXPECT_NEAR(visits[0].weight, half, 1e-5);
    EXPECT_NEAR(visits[1].weight, half, 1e-5);
}

class SelListeTest : public SceneTest {};

TEST_F(SelListeTest, BuildsElementsFromPointOne) {
    TSelListeCache cache;
    EXPECT_TRUE(cache.RebuildElements(0, 0, 12, 0, 5, 36));
    EXPECT_FLOAT_EQ(cache.seglen, 12);
    EXPECT_EQ(cache.elemcount, 3);
    EXPECT_FLOAT_EQ(cache.elemlen, 4);
    ASSERT_EQ(cache.Elements().size(), 3u);
    const float centres[] = {2, 6, 10};
    for (size_t i = 0; i < 3; ++i) {
        const TSelListe& element = cache.Elements()[i];
        EXPECT_FLOAT_EQ(element.x, centres[i]);
        EXPECT_FLOAT_EQ(element.y, 0);
        EXPECT_EQ(element.dirrad, std::vector<float>(36, 0.0f));
        EXPECT_EQ(element.difplus, 0);
        EXPECT_EQ(element.difminus, 0);
    }
}

TEST_F(SelListeTest, RebuildsOnlyOnChangeAndStartsFromZero) {
    TSelListeCache cache;
    ASSERT_TRUE(cache.RebuildElements(0, 0, 12, 0, 5, 36));
    auto fill = [&] {
        for (TSelListe& element : cache.Elements()) {
            element.dirrad.assign(element.dirrad.size(), 1.0f);
            element.difplus = 2;
            element.difminus = 3;
        }
    };
    auto keptValues = [&] {
        for (const TSelListe& element : cache.Elements())
            if (element.dirrad[0] != 1.0f || element.difplus != 2 || element.difminus != 3) return false;
        return true;
    };
    auto allZero = [&] {
        for (const TSelListe& element : cache.Elements()) {
            if (element.difplus != 0 || element.difminus != 0) return false;
            for (float value : element.dirrad)
                if (value != 0) return false;
        }
        return true;
    };
    fill();
    EXPECT_FALSE(cache.RebuildElements(0, 0, 12, 0, 5, 36));
    EXPECT_TRUE(keptValues()) << "an unchanged mirror keeps its values";

    struct Change {
        const char* name;
        int32_t x1, y1, x2, y2, sellaenge, richtungprosel;
        size_t elements;
    };
    const Change changes[] = {
        {"point 2 moved", 0, 0, 12, 1, 5, 36, 3}, {"point 1 moved", 1, 0, 12, 1, 5, 36, 3},
        {"sellaenge", 1, 0, 12, 1, 2, 36, 6},     {"richtungprosel", 1, 0, 12, 1, 2, 102, 6},
    };
    for (const Change& c : changes) {
        fill();
        EXPECT_TRUE(cache.RebuildElements(c.x1, c.y1, c.x2, c.y2, c.sellaenge, c.richtungprosel)) << c.name;
        ASSERT_EQ(cache.Elements().size(), c.elements) << c.name;
        EXPECT_EQ(cache.Elements()[0].dirrad.size(), static_cast<size_t>(c.richtungprosel)) << c.name;
        EXPECT_TRUE(allZero()) << c.name;
    }
    cache.FreeElements();
    EXPECT_TRUE(cache.Elements().empty());
    EXPECT_EQ(cache.elemcount, 0);
}

TEST_F(SelListeTest, RefusesAListTooLargeForMemory) {
    TSelListeCache cache;
    ASSERT_TRUE(cache.RebuildElements(0, 0, 12, 0, 5, 36));
    EXPECT_THROW(cache.RebuildElements(0, 0, 2000000000, 0, 1, 102), std::runtime_error);
    EXPECT_EQ(cache.Elements().size(), 3u) << "the old list stays when the new one cannot be built";
}

// Regression test: the squared length of a segment spanning 4e9 pixels used
// to overflow 64-bit integers, which left the mirror without elements instead
// of refusing it.
TEST_F(SelListeTest, FarOffMirrorIsRefusedNotEmptied) {
    TSelListeCache cache;
    EXPECT_THROW(cache.RebuildElements(-2000000000, 0, 2000000000, 0, 5, 102), std::runtime_error);
    EXPECT_FLOAT_EQ(cache.seglen, 4e9f);
}

}  // namespace
