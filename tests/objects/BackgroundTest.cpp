#include <cmath>

#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"

namespace {

class BackgroundTest : public HeadlessSceneTest {
protected:
    BackgroundTest() {
        list.CleanAndNumber();
        list.PrepareQueries(settings);
        background().staerke = 10;
    }
    TObjektHintergrund& background() { return static_cast<TObjektHintergrund&>(list.Head()); }

    std::pair<float, float> FieldAt(int32_t x, int32_t y) {
        float fx = 0, fy = 0;
        background().FlowDensityAt(x, y, list, fx, fy, 0);
        return {fx, fy};
    }

    SceneList list{NewBackground()};
};

TEST_F(BackgroundTest, EmptyPictureCancelsInTheMiddleAndPushesAwayFromAnEdge) {
    auto [mx, my] = FieldAt(400, 300);
    // The frame is symmetric about the middle up to the element rounding.
    EXPECT_LT(std::hypot(mx, my), 0.01f * 10);
    auto [ex, ey] = FieldAt(400, 5);
    EXPECT_GT(ey, 0) << "away from the top edge";
    EXPECT_LE(std::hypot(ex, ey), 10.0f * (1 + 1e-6f));
    FlowVectorList contributions;
    background().FlowContributionsAt(400, 1, list, 0, contributions);
    ASSERT_FALSE(contributions.empty());
    for (const FlowVector& v : contributions) EXPECT_LE(std::hypot(v.fx, v.fy), 10.0f * (1 + 1e-6f));
}

TEST_F(BackgroundTest, OnlyFromAboveTheHorizonGivesANetDownwardFlow) {
    background().nuroben = true;
    auto [fx, fy] = FieldAt(400, 300);
    EXPECT_GT(fy, 0.1f);
    EXPECT_NEAR(fx, 0, 0.01);
}

TEST_F(BackgroundTest, FrameClosesThePicture) {
    EXPECT_TRUE(background().Blocks(-1, 100, 400, 300, 0, 0));
    EXPECT_TRUE(background().Blocks(400, 300, 400, 601, 0, 0));
    EXPECT_FALSE(background().Blocks(0, 0, 800, 600, 0, 0)) << "the border itself is inside";
    EXPECT_FALSE(background().Blocks(-1, 100, 400, 300, 1, 0)) << "its own number never blocks";
    EXPECT_TRUE(background().IsNear(3, 300, 3, 0, 0));
    EXPECT_FALSE(background().IsNear(4, 300, 3, 0, 0));
}

TEST_F(BackgroundTest, StreamLinesEnterAllRoundTheFrame) {
    StreamLineStarts starts;
    background().AddStreamLineStarts(starts, list, 200, {});
    ASSERT_GT(starts.size(), 10u);
    for (const StreamLineStart& start : starts) {
        const bool onInset = start.x == 3 || start.y == 3 || start.x == 797 || start.y == 597;
        EXPECT_TRUE(onInset) << start.x << "," << start.y;
    }
}

// Regression test: the dialog showed what was last confirmed in it, so OK
// switched off a background read from a file.
TEST_F(BackgroundTest, DialogShowsTheObjectsCurrentValues) {
    background().staerke = 0.5f;  // as a loaded scene sets it
    background().nuroben = true;
    Answer([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["staerke"].text, "0.5");
        EXPECT_TRUE(dialog["nuroben"].checked);
        EXPECT_FALSE(dialog["allDirections"].checked);
        return platform::ModalResult::OK;
    });
    EXPECT_TRUE(background().Edit(Context()));
    EXPECT_FLOAT_EQ(background().staerke, 0.5f);
    EXPECT_TRUE(background().nuroben);

    AnswerOk({{"staerke", "4.5"}});
    background().Edit(Context());
    EXPECT_FLOAT_EQ(background().staerke, 4.5f);
}

}  // namespace
