#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektSonne.h"
#include "platform/RasterBitmap.h"

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

}  // namespace
