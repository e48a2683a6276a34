#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/RasterBitmap.h"
#include "radiation/Berechnen.h"

namespace {

using SceneListTest = HeadlessSceneTest;

TEST_F(SceneListTest, CleanAndNumberDropsDegenerateObjectsButNeverTheHead) {
    SceneList list(NewBackground());
    list.Append(std::make_unique<TObjektAbsorber>(1, 1, 5, 5));
    list.Append(std::make_unique<TObjektAbsorber>(7, 7, 7, 7));
    list.Append(std::make_unique<TObjektSonne>());  // strength 0: degenerate
    list.Append(std::make_unique<TObjektAbsorber>(2, 2, 9, 9));
    list.CleanAndNumber();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, "rahmen");
    EXPECT_EQ(static_cast<TObjektAbsorber&>(list[2]).x1, 2) << "the objects behind move up";
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].number, static_cast<int32_t>(i + 1));
}

TEST_F(SceneListTest, RedrawAllPaintsTheBackgroundAndEveryObject) {
    SceneList list(NewBackground());
    auto absorber = std::make_unique<TObjektAbsorber>(10, 10, 50, 10);
    absorber->colour = 0x0000FF;
    list.Append(std::move(absorber));
    platform::RasterBitmap picture(100, 50), window(100, 50);
    list.RedrawAll(picture, window.GetCanvas(), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(99, 49), 0xFFFFFF);
    EXPECT_EQ(picture.Pixel(30, 10), 0x0000FF);
    EXPECT_EQ(picture.Pixel(50, 10), 0xFFFFFF) << "a line stops short of its end point";
}

// A scene of every kind, computed: mirrors hold radiation.
class ComputedSceneTest : public HeadlessSceneTest {
protected:
    ComputedSceneTest() {
        static_cast<TObjektHintergrund&>(list.Head()).staerke = 2;
        auto lambert = std::make_unique<TObjektLambert>(100, 100, 300, 150);
        lambert->staerke = 50;
        list.Append(std::move(lambert));
        auto mirror = std::make_unique<TObjektSpiegel>(400, 100, 450, 400);
        mirror->dirref = 40;
        mirror->dirtrans = 20;
        mirror->difref = 20;
        mirror->diftrans = 10;
        list.Append(std::move(mirror));
        auto beam = std::make_unique<TObjektParallel>(600, 500, 700, 450);
        beam->staerke = 20;
        list.Append(std::move(beam));
        list.Append(std::make_unique<TObjektAbsorber>(200, 300, 350, 320));
        auto sun = std::make_unique<TObjektSonne>();
        sun->staerke = 5;
        sun->richtung = 30;
        list.Append(std::move(sun));
        auto lamp = std::make_unique<TObjektLambertKreis>(650, 200, 690, 200);
        lamp->staerke = 30;
        list.Append(std::move(lamp));
        auto ring = std::make_unique<TObjektSpiegelKreis>(250, 450, 310, 450);
        ring->winkel1 = 300;
        ring->winkel2 = 120;
        ring->difref = 30;
        ring->dirref = 10;
        ring->diftrans = 20;
        list.Append(std::move(ring));
        list.Append(std::make_unique<TObjektAbsorberKreis>(520, 300, 540, 300));
        list.CleanAndNumber();
        platform::HeadlessWindow window(800, 600);
        Calculate(list, settings, window, headless.Progress());
        list.PrepareQueries(settings);
    }

    SceneList list{NewBackground()};
};

TEST_F(ComputedSceneTest, FieldAtGivesTheSummedFieldAndTheEnergyDensityAtOnce) {
    for (int32_t x = 0; x <= 800; x += 23)
        for (int32_t y = 0; y <= 600; y += 19) {
            const SceneList::Field field = list.FieldAt(x, y);
            const FlowSum flow = list.FlowDensitySum(x, y);
            EXPECT_EQ(field.flow.x, flow.x) << x << "," << y;
            EXPECT_EQ(field.flow.y, flow.y) << x << "," << y;
            EXPECT_EQ(field.energy, list.EnergyDensityAt(x, y)) << x << "," << y;
        }
}

TEST_F(ComputedSceneTest, PreparedIndexAnswersAsTheObjectsThemselves) {
    for (int32_t x = -10; x <= 810; x += 37)
        for (int32_t y = -10; y <= 610; y += 29)
            for (const auto& [bx, by] : {std::pair{400, 300}, {x + 7, y - 3}, {0, 600}, {800 - x, 600 - y}}) {
                bool asked = false;
                for (const auto& object : list) asked = asked || object->Blocks(x, y, bx, by, 3, 0);
                EXPECT_EQ(list.AnyBlocks(x, y, bx, by, 3, 0), asked) << x << "," << y << " to " << bx << "," << by;
            }
    // A list changed after the prepare step asks its objects again.
    EXPECT_FALSE(list.AnyBlocks(10, 590, 790, 590, 0, 0));
    list.Append(std::make_unique<TObjektAbsorber>(400, 580, 400, 599));
    list.CleanAndNumber();
    EXPECT_TRUE(list.AnyBlocks(10, 590, 790, 590, 0, 0));
}

}  // namespace
