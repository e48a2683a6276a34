#include <cmath>

#include "HeadlessFixture.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "platform/Errors.h"

namespace {

class StraightKindsTest : public HeadlessSceneTest {
protected:
    StraightKindsTest() { list.CleanAndNumber(); }

    // Appends with the number the next numbering would give.
    template <class Kind, class... Args>
    Kind& Add(Args... args) {
        auto object = std::make_unique<Kind>(args...);
        Kind& added = *object;
        list.Append(std::move(object));
        added.number = static_cast<int32_t>(list.size());
        list.PrepareQueries(settings);
        return added;
    }

    SceneList list{NewBackground()};
};

TEST_F(StraightKindsTest, ParallelBeamLightsItsStripOnBothSides) {
    auto& beam = Add<TObjektParallel>(100, 200, 300, 200);
    beam.staerke = 5;
    float fx, fy;
    ASSERT_TRUE(beam.FlowDensityAt(150, 100, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fx, 0);
    EXPECT_FLOAT_EQ(fy, -5);
    ASSERT_TRUE(beam.FlowDensityAt(150, 300, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fy, 5);
    EXPECT_TRUE(beam.FlowDensityAt(100, 50, list, fx, fy, 0)) << "a foot on the end point counts";
    EXPECT_FALSE(beam.FlowDensityAt(350, 100, list, fx, fy, 0)) << "foot beyond the end";
    EXPECT_FALSE(beam.FlowDensityAt(400, 200, list, fx, fy, 0)) << "on the segment's line";
    beam.staerke = 0;
    EXPECT_FALSE(beam.FlowDensityAt(150, 100, list, fx, fy, 0));
}

TEST_F(StraightKindsTest, AbsorberCastsAShadow) {
    auto& beam = Add<TObjektParallel>(100, 200, 300, 200);
    beam.staerke = 5;
    Add<TObjektAbsorber>(0, 150, 800, 150);
    float fx, fy;
    EXPECT_FALSE(beam.FlowDensityAt(150, 100, list, fx, fy, 0));
    EXPECT_TRUE(beam.FlowDensityAt(150, 300, list, fx, fy, 0));
    auto& lambert = Add<TObjektLambert>(100, 100, 120, 100);
    lambert.staerke = 10;
    EXPECT_FALSE(lambert.FlowDensityAt(110, 300, list, fx, fy, 0)) << "the absorber lies between";
    EXPECT_TRUE(lambert.FlowDensityAt(110, 50, list, fx, fy, 0));
}

TEST_F(StraightKindsTest, LambertFieldIsClampedToTheNormalRightAtTheSurface) {
    auto& lambert = Add<TObjektLambert>(100, 300, 300, 300);
    lambert.staerke = 10;
    float fx, fy;
    ASSERT_TRUE(lambert.FlowDensityAt(200, 299, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fx, 0);
    EXPECT_FLOAT_EQ(fy, -10) << "the plus side lies above a segment drawn left to right";
    ASSERT_TRUE(lambert.FlowDensityAt(200, 301, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fy, 10);
    EXPECT_FALSE(lambert.FlowDensityAt(400, 300, list, fx, fy, 0)) << "nothing along its own line";
}

// Both faces of a two-dimensional Lambert emitter send S per unit length, so
// the flux through a closed contour around it is 2 S L.
TEST_F(StraightKindsTest, LambertFluxThroughAClosedContourIsTwiceStrengthTimesLength) {
    auto& lambert = Add<TObjektLambert>(350, 300, 450, 300);
    lambert.staerke = 10;
    Extended flux = 0;
    for (int32_t x = 250; x < 550; ++x) {
        flux -= list.FlowDensitySum(x, 200).y;  // top side, outward normal (0, -1)
        flux += list.FlowDensitySum(x, 400).y;
    }
    for (int32_t y = 200; y < 400; ++y) {
        flux -= list.FlowDensitySum(250, y).x;
        flux += list.FlowDensitySum(550, y).x;
    }
    // Sampling the contour at whole pixels and cutting the emitter into
    // 5-pixel elements costs well under 2 %.
    EXPECT_NEAR(flux, 2 * 10 * 100, 0.02 * 2000);
}

TEST_F(StraightKindsTest, SunShinesFromItsDirectionThroughTheEntryPoint) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    float fx, fy;
    ASSERT_TRUE(sun.FlowDensityAt(300, 300, list, fx, fy, 0));
    EXPECT_FLOAT_EQ(fx, 0);
    EXPECT_FLOAT_EQ(fy, 10);

    // The light comes in through (200, 0): an absorber on the top border
    // just beside that point does not shade (100, 100), one over it does.
    sun.richtung = 45;
    auto& beside = Add<TObjektAbsorber>(201, 0, 205, 0);
    ASSERT_TRUE(sun.FlowDensityAt(100, 100, list, fx, fy, 0));
    EXPECT_LT(fx, 0);
    EXPECT_GT(fy, 0);
    beside.x1 = 200;
    list.PrepareQueries(settings);
    EXPECT_FALSE(sun.FlowDensityAt(100, 100, list, fx, fy, 0));

    sun.richtung = 90;

    Add<TObjektAbsorber>(300, 0, 300, 600);
    EXPECT_FALSE(sun.FlowDensityAt(100, 250, list, fx, fy, 0)) << "shaded by the absorber on the right";
}

// Regression test: at a multiple of 90 degrees the sine or cosine left a
// cross component of about 1e-16, which put the entry point of a point on
// the border onto the point itself, so nothing shaded that border row.
TEST_F(StraightKindsTest, SunAtAMultipleOf90DegreesIsShadedOnTheBorderToo) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    Add<TObjektAbsorber>(500, 0, 500, 20);
    Add<TObjektAbsorber>(10, 580, 10, 600);
    struct Case {
        float richtung;
        int32_t x, y;
    };
    for (const Case& c : {Case{90, 300, 0}, Case{90, 300, 1}, Case{270, 790, 600}, Case{270, 790, 599}}) {
        sun.richtung = c.richtung;
        float fx, fy;
        EXPECT_FALSE(sun.FlowDensityAt(c.x, c.y, list, fx, fy, 0)) << c.richtung << ": " << c.x << "," << c.y;
    }
    sun.richtung = 90;
    float fx, fy;
    ASSERT_TRUE(sun.FlowDensityAt(300, 300, list, fx, fy, 0));
    EXPECT_EQ(fx, -10);
    EXPECT_EQ(fy, 0);
}

TEST_F(StraightKindsTest, SunOutsideThePictureNeverDividesByZero) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    for (float direction : {0.0f, 90.0f, 180.0f, 270.0f, 0.001f, 89.999f})
        for (auto [x, y] : {std::pair{-50, 300}, {900, 300}, {400, -50}, {400, 700}, {-2000000000, 2000000000}}) {
            sun.richtung = direction;
            float fx, fy;
            EXPECT_FALSE(sun.FlowDensityAt(x, y, list, fx, fy, 0)) << "the frame closes the picture";
        }
}

TEST_F(StraightKindsTest, EmitterStartsLinesInProportionToItsFlux) {
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 0;
    auto& lambert = Add<TObjektLambert>(300, 300, 500, 300);
    lambert.staerke = 10;
    StreamLineStarts starts;
    // Each face sends S L = 2000; at 200 per line that is 10 lines a side.
    lambert.AddStreamLineStarts(starts, list, 200, {});
    ASSERT_EQ(starts.size(), 20u);
    int above = 0;
    for (const StreamLineStart& start : starts) {
        EXPECT_NEAR(std::fabs(start.y - 300), 3, 1e-4);
        EXPECT_GT(start.x, 300);
        EXPECT_LT(start.x, 500);
        above += start.y < 300;
    }
    EXPECT_EQ(above, 10);
    EXPECT_GT(starts.Head().y, 300) << "the minus side's points are put in front last";
}

TEST_F(StraightKindsTest, EmitterDialogsRefuseOffScreenPointsAndReadLeniently) {
    auto& lambert = Add<TObjektLambert>(10, 10, 20, 20);
    AnswerOk({{"staerke", "7.5"}, {"x1", "10"}, {"y1", "10"}, {"x2", "900"}, {"y2", "20"}});
    AnswerOk({{"staerke", "abc"}, {"x2", "800"}, {"y2", "600"}});
    EXPECT_TRUE(lambert.Edit(Context()));
    EXPECT_EQ(headless.messages, std::vector<std::string>{"All points must be on the screen."});
    EXPECT_EQ(lambert.staerke, 0) << "malformed text reads as 0";
    EXPECT_EQ(lambert.x2, 800);
    EXPECT_EQ(lambert.y2, 600) << "the right and bottom border are on the screen";

    auto& beam = Add<TObjektParallel>(10, 10, 20, 20);
    AnswerOk({{"x1", "-1"}});
    EXPECT_FALSE(beam.Edit(Context())) << "closed without OK the second time";
    EXPECT_EQ(headless.messages.back(), "The points must be on the screen.");
    EXPECT_EQ(beam.x1, -1) << "the typed values are stored before the check";
}

TEST_F(StraightKindsTest, AbsorberDialogConvertsStrictlyAndAcceptsAnyPoint) {
    auto& absorber = Add<TObjektAbsorber>(10, 10, 20, 20);
    AnswerOk({{"x1", "-5000"}, {"y1", "7"}, {"x2", "x"}, {"y2", "9"}});
    EXPECT_THROW(absorber.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(absorber.x1, -5000);
    EXPECT_EQ(absorber.y1, 7);
    EXPECT_EQ(absorber.x2, 20) << "values after the malformed one stay";
}

}  // namespace

namespace {

// Regression test: an emitter from a file reaching far beyond the picture,
// from (-2147483647, -2147483647) to (2147483646, 2147483646), had 2^31
// elements, every one of them visited by every query of the field. Only
// those near the picture can reach a point, since the frame blocks the rest.
TEST_F(StraightKindsTest, EmitterFarBeyondThePictureCostsOnlyItsElementsNearThePicture) {
    auto& huge = Add<TObjektLambert>(-2147483647, -2147483647, 2147483646, 2147483646);
    huge.staerke = 10;
    list.CleanAndNumber();
    // Its part in the 800 x 600 picture, (0, 0) to (600, 600), is 849 pixels
    // long: 170 elements of 5 pixels, and one beyond each end.
    EXPECT_EQ(huge.QueryElements(settings), 172);
    list.PrepareQueries(settings);
    // The same field as an emitter along the picture's part of the diagonal:
    // the elements cut off never reached a point.
    float fx, fy;
    ASSERT_TRUE(huge.FlowDensityAt(500, 300, list, fx, fy, 0));
    EXPECT_TRUE(std::isfinite(fx) && std::isfinite(fy));
    EXPECT_GT(std::hypot(fx, fy), 0.1);
    StreamLineStarts starts;
    huge.AddStreamLineStarts(starts, list, 20 * 10.0f, {});
    for (const StreamLineStart& start : starts) {
        EXPECT_TRUE(start.x > -10 && start.x < 810 && start.y > -10 && start.y < 610) << start.x << " " << start.y;
    }
}

// Strengths are read up to kLargestStrength of either sign, so that no field
// value can overflow a float; 3.4028234e38 gave infinite probes before.
TEST_F(StraightKindsTest, StrengthBeyondTheLargestIsRefusedOnReading) {
    for (const KindEntry& kind : Kinds()) {
        std::unique_ptr<Tszeneobjekt> object = CreateObjectOfKind(kind.keyword, 1, 2, 3, 4);
        platform::TextFile written;
        object->SaveToFile(written);
        std::string text = written.Text();
        const size_t at = text.find("staerke=0");
        if (at == std::string::npos) continue;
        text.replace(at, 9, "staerke=3.4028234e38");
        platform::TextFile file = platform::TextFile::FromText(text);
        file.ReadLine();  // the kind line
        EXPECT_THROW(object->LoadFromFile(file), platform::ConversionError) << kind.keyword;
        EXPECT_EQ(object->Strength(), 0) << kind.keyword;
    }
    TObjektHintergrund background;
    platform::TextFile file = platform::TextFile::FromText("begin\nstaerke=-1e21\nnuroben=0\nend\n");
    EXPECT_THROW(background.LoadFromFile(file), platform::ConversionError);
    file = platform::TextFile::FromText("begin\nstaerke=-1e20\nnuroben=0\nend\n");
    EXPECT_TRUE(background.LoadFromFile(file));
}

}  // namespace
