#include <cmath>

#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"

namespace {

class MirrorTest : public HeadlessSceneTest {
protected:
    MirrorTest() {
        list.Append(std::make_unique<TObjektSpiegel>(100, 300, 300, 300));
        mirror = static_cast<TObjektSpiegel*>(&list.Tail());
        list.CleanAndNumber();
    }

    // A beam from above travelling straight down the screen onto the mirror.
    void LightFromAbove(float strength) {
        auto beam = std::make_unique<TObjektParallel>(100, 100, 300, 100);
        beam->staerke = strength;
        list.Append(std::move(beam));
        list.CleanAndNumber();
        list.PrepareQueries(settings);
    }

    SceneList list{NewBackground()};
    TObjektSpiegel* mirror;
};

TEST_F(MirrorTest, BeamFromAboveIsSortedIntoMirroredAndContinuingBins) {
    settings.richtungprosel = 36;
    mirror->dirref = mirror->dirtrans = mirror->difref = mirror->diftrans = 25;
    LightFromAbove(8);
    EXPECT_TRUE(mirror->Iterate(list));
    for (const TSelListe& element : mirror->Elements().Elements()) {
        for (int j = 0; j < 36; ++j) {
            const float expected = j == 8 || j == 27 ? 2.0f : 0.0f;
            EXPECT_FLOAT_EQ(element.dirrad[static_cast<size_t>(j)], expected) << "bin " << j;
        }
        EXPECT_FLOAT_EQ(element.difplus, 2) << "reflected diffusely back up";
        EXPECT_FLOAT_EQ(element.difminus, 2) << "transmitted diffusely below";
    }
    EXPECT_FALSE(mirror->Iterate(list)) << "a second pass changes nothing";
}

// Regression test: light from a sun at 45 degrees arrives exactly on a bin
// boundary; with the sine rounded to float it was sorted one bin low and the
// reflection left at 39.4 instead of 50.6 degrees above the mirror.
TEST_F(MirrorTest, SunAt45DegreesIsReflectedIntoTheMirroredBin) {
    settings.richtungprosel = 32;
    mirror->dirref = 100;
    auto sun = std::make_unique<TObjektSonne>();
    sun->staerke = 10;
    sun->richtung = 45;
    list.Append(std::move(sun));
    list.CleanAndNumber();
    list.PrepareQueries(settings);
    mirror->Iterate(list);
    // Arriving in bin 4 against the reversed segment, it leaves in
    // 47 - 4 - 32 = 11, which represents (11.5) * 360 / 32 = 129.4 degrees
    // from the segment: up and to the left, 50.6 degrees above it.
    for (const TSelListe& element : mirror->Elements().Elements())
        for (int j = 0; j < 32; ++j) EXPECT_EQ(element.dirrad[static_cast<size_t>(j)] > 0, j == 11) << "bin " << j;
}

TEST_F(MirrorTest, ReflectedBeamTravelsBackUpAndTransmittedBeamOnDown) {
    mirror->dirref = 50;
    mirror->dirtrans = 50;
    LightFromAbove(8);
    mirror->Iterate(list);
    float fx, fy;
    ASSERT_TRUE(mirror->FlowDensityAt(200, 200, list, fx, fy, 0));
    EXPECT_LT(fy, 0) << "above the mirror the reflection travels up";
    EXPECT_NEAR(fx, 0, 0.05 * std::fabs(fy));
    ASSERT_TRUE(mirror->FlowDensityAt(200, 400, list, fx, fy, 0));
    EXPECT_GT(fy, 0);
}

// An element of length 10 with exitance 10 sends 0.5 * 10 * 10 / r along its
// normal: 5 at distance 10; at distance 2 the 25 are cut to the exitance.
TEST_F(MirrorTest, DiffuseExitanceFollowsLambertsLawAndIsCut) {
    list.Append(std::make_unique<TObjektSpiegel>(100, 100, 110, 100));
    auto& small = static_cast<TObjektSpiegel&>(list.Tail());
    list.CleanAndNumber();
    settings.sellaenge = 11;
    list.PrepareQueries(settings);
    ASSERT_EQ(small.Elements().elemcount, 1);
    small.Elements().Elements()[0].difplus = 10;
    float fx, fy;
    ASSERT_TRUE(small.FlowDensityAt(105, 90, list, fx, fy, 0));
    EXPECT_NEAR(fx, 0, 1e-5);
    EXPECT_FLOAT_EQ(fy, -5);
    ASSERT_TRUE(small.FlowDensityAt(105, 98, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fy, -10);
    EXPECT_FALSE(small.FlowDensityAt(105, 110, list, fx, fy, 0)) << "the minus face sends nothing";
}

TEST_F(MirrorTest, AllZeroCoefficientsMakeAPerfectAbsorber) {
    LightFromAbove(8);
    EXPECT_FALSE(mirror->Iterate(list));
    float fx, fy;
    EXPECT_FALSE(mirror->FlowDensityAt(200, 200, list, fx, fy, 0));
    FlowVectorList contributions;
    mirror->FlowContributionsAt(200, 200, list, 0, contributions);
    EXPECT_TRUE(contributions.empty());
    StreamLineStarts starts;
    mirror->AddStreamLineStarts(starts, list, 10);
    EXPECT_TRUE(starts.empty());
}

TEST_F(MirrorTest, TransmittingMirrorStartsLinesOnlyWhereLightLeavesIt) {
    mirror->diftrans = 100;
    LightFromAbove(8);
    mirror->Iterate(list);
    StreamLineStarts starts;
    mirror->AddStreamLineStarts(starts, list, 100);
    ASSERT_FALSE(starts.empty());
    for (const StreamLineStart& start : starts) EXPECT_GT(start.y, 300) << "below the mirror only";
}

TEST_F(MirrorTest, DialogChecksTheSumAndThePoints) {
    auto answer = [this](std::string dirref, std::string x1) {
        AnswerOk({{"dirref", dirref}, {"difref", "0"}, {"dirtrans", "50"}, {"diftrans", "0"}, {"x1", x1}});
    };
    answer("50.5", "-1");
    answer("50", "100");
    mirror->Edit(Context());
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"The sum must not be more than 100%.", "All points must be on the screen."}));
    EXPECT_FLOAT_EQ(mirror->dirref, 50) << "a sum of exactly 100 is accepted";
    EXPECT_EQ(mirror->x1, 100);
}

}  // namespace
