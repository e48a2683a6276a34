// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "SceneFixture.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/StrengthField.h"
#include "platform/Conversions.h"
#include "platform/Errors.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

namespace {

using StraightKindsTest = SceneTest;

TEST_F(StraightKindsTest, ParallelBeamLightsItsStripOnBothSidesUpToAnAbsorber) {
    auto& beam = Add<TObjektParallel>(100, 200, 300, 200);
    beam.staerke = 5;
    EXPECT_EQ(FieldOf(beam, 150, 100).y, -5);
    EXPECT_EQ(FieldOf(beam, 150, 300).y, 5);
    EXPECT_TRUE(Lights(beam, 100, 50)) << "a foot on the end point counts";
    EXPECT_FALSE(Lights(beam, 350, 100)) << "foot beyond the end";
    Add<TObjektAbsorber>(0, 150, 800, 150);
    EXPECT_FALSE(Lights(beam, 150, 100));
    EXPECT_TRUE(Lights(beam, 150, 300));
}

// Its power, both faces' strength times length, is the energy balance's part.
TEST_F(StraightKindsTest, LambertFieldIsTheNormalAtTheSurface) {
    auto& lambert = Add<TObjektLambert>(350, 300, 450, 300);
    lambert.staerke = 10;
    const FlowSum above = FieldOf(lambert, 400, 299);
    EXPECT_EQ(above.y, -10) << "the plus side lies above a segment drawn left to right";
    EXPECT_EQ(FieldOf(lambert, 400, 301).y, 10);
    Add<TObjektAbsorber>(300, 350, 500, 350);
    EXPECT_FALSE(Lights(lambert, 400, 400)) << "the absorber lies between";
}

TEST_F(StraightKindsTest, SunShinesFromItsDirectionThroughTheEntryPoint) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    EXPECT_EQ(FieldOf(sun, 300, 300).y, 10);
    // At 45 degrees the light reaches (100, 100) through (200, 0): an
    // absorber on the top border just beside that point does not shade it,
    // one over it does.
    sun.richtung = 45;
    auto& beside = Add<TObjektAbsorber>(201, 0, 205, 0);
    const FlowSum slanted = FieldOf(sun, 100, 100);
    EXPECT_TRUE(slanted.x < 0 && slanted.y > 0);
    beside.x1 = 200;
    list.PrepareQueries(settings);
    EXPECT_FALSE(Lights(sun, 100, 100));
    // Outside the picture the frame closes it.
    for (auto [x, y] : {std::pair{-50, 300}, {-2000000000, 2000000000}}) EXPECT_FALSE(Lights(sun, x, y)) << x;
}

// Regression test: at a multiple of 90 degrees the sine or cosine left a
// cross component of about 1e-16, which put the entry point of a point on
// the border onto the point itself, so nothing shaded that border row.
TEST_F(StraightKindsTest, SunAtAMultipleOf90DegreesIsShadedOnTheBorderToo) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    Add<TObjektAbsorber>(500, 0, 500, 20);
    Add<TObjektAbsorber>(10, 580, 10, 600);
    for (const auto& [richtung, x, y] : std::vector<std::tuple<float, int32_t, int32_t>>{
             {90, 300, 0}, {90, 300, 1}, {270, 790, 600}, {270, 790, 599}}) {
        sun.richtung = richtung;
        EXPECT_FALSE(Lights(sun, x, y)) << richtung << ": " << x << "," << y;
    }
    sun.richtung = 90;
    EXPECT_EQ(FieldOf(sun, 300, 300).x, -10);
    EXPECT_EQ(FieldOf(sun, 300, 300).y, 0);
}

TEST_F(StraightKindsTest, EmitterStartsLinesInProportionToItsFlux) {
    auto& lambert = Add<TObjektLambert>(300, 300, 500, 300);
    lambert.staerke = 10;
    StreamLineStarts starts;
    // Each face sends S L = 2000; at 200 per line that is 10 lines a side.
    lambert.AddStreamLineStarts(starts, list, 200, {});
    ASSERT_EQ(starts.size(), 20u);
    int above = 0;
    for (const StreamLineStart& start : starts) {
        EXPECT_NEAR(std::fabs(start.y - 300), 3, 1e-4);
        EXPECT_TRUE(start.x > 300 && start.x < 500);
        above += start.y < 300;
    }
    EXPECT_EQ(above, 10);
}

// Regression test: an emitter from a file reaching far beyond the picture,
// from (-2147483647, -2147483647) to (2147483646, 2147483646), had 2^31
// elements, every one of them visited by every query of the field. Only
// those near the picture can reach a point, since the frame blocks the rest.
TEST_F(StraightKindsTest, EmitterFarBeyondThePictureCostsOnlyItsElementsNearThePicture) {
    auto& huge = Add<TObjektLambert>(-2147483647, -2147483647, 2147483646, 2147483646);
    huge.staerke = 10;
    // Its part in the 800 x 600 picture, (0, 0) to (600, 600), is 849 pixels
    // long: 170 elements of 5 pixels, and one beyond each end.
    EXPECT_EQ(huge.QueryElements(settings), 172);
    list.PrepareQueries(settings);
    const FlowSum field = FieldOf(huge, 500, 300);
    EXPECT_TRUE(std::isfinite(field.x) && std::isfinite(field.y) && std::hypot(field.x, field.y) > 0.1);
    StreamLineStarts starts;
    huge.AddStreamLineStarts(starts, list, 20 * 10.0f, {});
    for (const StreamLineStart& start : starts)
        EXPECT_TRUE(start.x > -10 && start.x < 810 && start.y > -10 && start.y < 610) << start.x << " " << start.y;
}

// Regression test: a strength beyond kLargestStrength (3.4028234e38 gave
// infinite probes) raised a conversion error on reading, which dropped the
// rest of the scene file. It is kept as stored, and the object tells what its
// dialog says of it.
TEST_F(StraightKindsTest, StrengthBeyondTheLargestIsKeptAndToldInTheDialogsWords) {
    for (const KindEntry& kind : Kinds()) {
        std::unique_ptr<Tszeneobjekt> object = CreateObjectOfKind(kind.keyword, 1, 2, 3, 4);
        platform::TextFile written;
        object->SaveToFile(written);
        const std::string text = written.Text();
        const size_t at = text.find("staerke=0");
        if (at == std::string::npos) continue;
        for (const std::string value : {"3.4028234e38", "-1E20", "1E20", "-1.5E20"}) {
            const float strength = platform::StrToFloat(value);
            platform::TextFile file =
                platform::TextFile::FromText(std::string(text).replace(at, 9, "staerke=" + value));
            file.ReadLine();  // the kind line
            ASSERT_TRUE(object->LoadFromFile(file)) << kind.keyword << " " << strength;
            EXPECT_EQ(object->Strength(), strength) << kind.keyword;
            EXPECT_EQ(object->ValueProblem(), StrengthProblem(strength)) << kind.keyword << " " << strength;
            EXPECT_EQ(object->ValueProblem().empty(), std::fabs(strength) <= kLargestStrength) << kind.keyword;
        }
    }
}

}  // namespace
