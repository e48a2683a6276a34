// SPDX-License-Identifier: GPL-3.0-or-later
// The scene list and its head, the background radiation of the picture frame.
#include <cmath>
#include <string>
#include <type_traits>
#include <utility>

#include "SceneFixture.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/RasterBitmap.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

namespace {

// What reads the scene through a const list cannot change its objects.
static_assert(std::is_same_v<decltype(*std::declval<const SceneList&>().begin()), const Tszeneobjekt*>);
static_assert(std::is_same_v<decltype(std::declval<const SceneList&>().Tail()), const Tszeneobjekt&>);
static_assert(std::is_same_v<decltype(*std::declval<SceneList&>().begin()), Tszeneobjekt*>);

class SceneListTest : public SceneTest {
protected:
    TObjektHintergrund& background() { return static_cast<TObjektHintergrund&>(list.Head()); }
};

TEST_F(SceneListTest, CleanAndNumberDropsDegenerateObjectsButNeverTheHead) {
    list.Append(std::make_unique<TObjektAbsorber>(1, 1, 5, 5));
    list.Append(std::make_unique<TObjektAbsorber>(7, 7, 7, 7));
    list.Append(std::make_unique<TObjektSonne>());  // strength 0: degenerate
    list.Append(std::make_unique<TObjektAbsorber>(2, 2, 9, 9));
    list.CleanAndNumber();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, "rahmen");
    EXPECT_EQ(static_cast<TObjektAbsorber&>(list[2]).x1, 2) << "the objects behind move up";
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].number, static_cast<int32_t>(i + 1));

    platform::RasterBitmap picture(100, 50), window(100, 50);
    list[2].colour = 0x0000FF;
    list.RedrawAll(picture, window.GetCanvas(), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(99, 49), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(8, 8), 0x0000FF);
    EXPECT_EQ(picture.Pixel(9, 9), 0xFFFFFF) << "a line stops short of its end point";
}

TEST_F(SceneListTest, EmptyPictureCancelsInTheMiddleAndPushesAwayFromAnEdge) {
    background().staerke = 10;
    // The frame is symmetric about the middle up to the element rounding.
    const FlowSum middle = FieldOf(background(), 400, 300), edge = FieldOf(background(), 400, 5);
    EXPECT_LT(std::hypot(middle.x, middle.y), 0.01 * 10);
    EXPECT_GT(edge.y, 0) << "away from the top edge";
    EXPECT_LE(std::hypot(edge.x, edge.y), 10 * (1 + 1e-6));
    FlowVectorList contributions;
    background().FlowContributionsAt(400, 1, list, 0, contributions);
    ASSERT_FALSE(contributions.empty());
    for (const FlowVector& v : contributions) EXPECT_LE(std::hypot(v.fx, v.fy), 10.0f * (1 + 1e-6f));

    background().nuroben = true;  // only from above the horizon: a net downward flow
    const FlowSum above = FieldOf(background(), 400, 300);
    EXPECT_GT(above.y, 0.1);
    EXPECT_NEAR(above.x, 0, 0.01);
}

// Each kind sums its energy straight from its elements, last to first; the
// sum must be the one its list of vectors gives, to the last bit, also where
// objects hide parts of the others, next to the frame, where one element's
// vector is cut to its strength, and with the frame's light only from above.
// The flow and the vectors asked at once, as they are asked one after the
// other, to the bit.
void ExpectFlowAtAsTheTwoQueries(const Tszeneobjekt& object, const SceneList& list, int32_t x, int32_t y,
                                 int32_t exclude) {
    float fx = 0, fy = 0, bothX = 0, bothY = 0;
    FlowVectorList vectors, both;
    const bool flow = object.FlowDensityAt(x, y, list, fx, fy, exclude);
    object.FlowContributionsAt(x, y, list, exclude, vectors);
    EXPECT_EQ(object.FlowAt(x, y, list, exclude, bothX, bothY, both), flow);
    EXPECT_EQ(bothX, fx);
    EXPECT_EQ(bothY, fy);
    ASSERT_EQ(both.size(), vectors.size());
    auto one = vectors.begin();
    for (const FlowVector& v : both) {
        EXPECT_EQ(v.fx, one->fx);
        EXPECT_EQ(v.fy, one->fy);
        ++one;
    }
}

TEST_F(SceneListTest, EnergyAndFlowOfEveryKindEqualTheirSumsOverItsListOfVectors) {
    background().staerke = 10;
    settings.sellaenge = 3;
    Add<TObjektAbsorber>(100, 100, 700, 130);
    const TObjektAbsorber& wall = Add<TObjektAbsorber>(400, 20, 405, 580);
    Add<TObjektAbsorber>(2, 300, 60, 302);
    Add<TObjektLambert>(150, 450, 300, 420).staerke = 40;
    Add<TObjektLambertKreis>(650, 450, 690, 450).staerke = 25;
    Add<TObjektParallel>(500, 200, 560, 260).staerke = 30;
    TObjektSpiegel& mirror = Add<TObjektSpiegel>(200, 200, 330, 300);
    mirror.dirref = 50;
    mirror.difref = 30;
    mirror.diftrans = 10;
    TObjektSpiegelKreis& ring = Add<TObjektSpiegelKreis>(560, 420, 600, 440);
    ring.dirref = 40;
    ring.difref = 40;
    for (const bool nuroben : {false, true}) {
        background().nuroben = nuroben;
        Compute();
        FlowVectorList vectors, scratch;
        for (const auto& object : list)
            for (int32_t x = 1; x <= 800; x += 23)
                for (int32_t y = 1; y <= 600; y += 17) {
                    vectors.clear();
                    object->FlowContributionsAt(x, y, list, 0, vectors);
                    const float start = 0.37f;
                    EXPECT_EQ(object->AddEnergyDensity(x, y, list, 0, start, scratch), AddMagnitudes(start, vectors))
                        << object->kind << " at " << x << ", " << y << (nuroben ? ", frame from above" : "");
                    // Without the wall between the two halves, the light passes on.
                    for (const int32_t exclude : {0, wall.number}) {
                        SCOPED_TRACE(object->kind + " at " + std::to_string(x) + ", " + std::to_string(y) +
                                     " excluding " + std::to_string(exclude));
                        ExpectFlowAtAsTheTwoQueries(*object, list, x, y, exclude);
                    }
                }
    }
}

TEST_F(SceneListTest, FrameClosesThePicture) {
    EXPECT_TRUE(background().Blocks(-1, 100, 400, 300, 0, 0));
    EXPECT_TRUE(background().Blocks(400, 300, 400, 601, 0, 0));
    EXPECT_FALSE(background().Blocks(0, 0, 800, 600, 0, 0)) << "the border itself is inside";
    EXPECT_FALSE(background().Blocks(-1, 100, 400, 300, 1, 0)) << "its own number never blocks";
    EXPECT_TRUE(background().IsNear(3, 300, 3, 0, 0));
    EXPECT_FALSE(background().IsNear(4, 300, 3, 0, 0));
}

// Regression test: the dialog showed what was last confirmed in it, so OK
// switched off a background read from a file.
TEST_F(SceneListTest, DialogShowsTheObjectsCurrentValues) {
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
