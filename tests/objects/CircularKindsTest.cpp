#include <cmath>

#include "RecordingCanvas.h"
#include "SceneFixture.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/Errors.h"

namespace {

// Circles centred at (400, 300) unless a test says otherwise.
class CircularKindsTest : public SceneTest {
protected:
    TObjektLambertKreis& Emitter(int32_t radius, float staerke, int32_t winkel1 = 0, int32_t winkel2 = 360) {
        auto& emitter = Add<TObjektLambertKreis>(400, 300, 400 + radius, 300);
        emitter.staerke = staerke;
        emitter.winkel1 = winkel1;
        emitter.winkel2 = winkel2;
        list.PrepareQueries(settings);
        return emitter;
    }
    size_t Contributions(const Tszeneobjekt& object, int32_t x, int32_t y) {
        FlowVectorList contributions;
        object.FlowContributionsAt(x, y, list, 0, contributions);
        return contributions.size();
    }
};

// Outside a full circle of strength S and radius R every point sees its near
// side under 2 asin(R / rho), inside it sees the whole circle; each face
// sends S/2 per unit angle both ways. 103 elements of 3 pixels miss the
// circle by well under 1 %. On the circle nothing hides, and the excess
// points to the centre at exactly the strength.
TEST_F(CircularKindsTest, FullEmitterFieldIsThatOfTheExactCircle) {
    const auto& emitter = Emitter(50, 10);
    const FlowSum outside = FieldOf(emitter, 520, 390);
    const Extended rho = std::hypot(120, 90);
    EXPECT_NEAR(std::hypot(outside.x, outside.y), 10 * 50 / rho, 0.01 * 10 * 50 / rho);
    EXPECT_NEAR(outside.x * 90 - outside.y * 120, 0, 0.01 * 10 * 50) << "radial";
    EXPECT_NEAR(list.EnergyDensityAt(520, 390), 10 * std::asin(50 / rho), 0.01 * 10 * std::asin(50 / rho));
    EXPECT_NEAR(static_cast<double>(Contributions(emitter, 400, 500)), 103 * 151.0 / 360, 1.5)
        << "from 200 away the near side spans 2 acos(50/200) = 151 degrees";
    const FlowSum inside = FieldOf(emitter, 370, 280);
    EXPECT_LT(std::hypot(inside.x, inside.y), 0.01 * 10);
    EXPECT_NEAR(list.EnergyDensityAt(370, 280), kPi * 10, 0.005 * kPi * 10);
    EXPECT_EQ(Contributions(emitter, 450, 300), 103u);
    EXPECT_FLOAT_EQ(FieldOf(emitter, 450, 300).x, -10);
    EXPECT_GT(FieldOf(emitter, 451, 300).x, 0) << "one pixel further out it points away";
}

// Both faces of an arc emit alike. The arc from 89 to 91 degrees of a circle
// of radius 200 is nearly straight: its two elements are seen from 20 pixels
// off either face under angles that differ by 0.1 %. Equal angles emit a full
// turn, but draw nothing.
TEST_F(CircularKindsTest, ArcEmitsFromBothFacesAlikeAndEqualAnglesAFullTurn) {
    auto& arc = Add<TObjektLambertKreis>(300, 300, 500, 300);
    arc.staerke = 10;
    arc.winkel1 = 89;
    arc.winkel2 = 91;
    list.PrepareQueries(settings);
    const FlowSum outer = FieldOf(arc, 520, 300), inner = FieldOf(arc, 480, 300);
    EXPECT_TRUE(outer.x > 0 && inner.x < 0);
    EXPECT_NEAR(std::hypot(outer.x, outer.y), std::hypot(inner.x, inner.y), 0.005 * std::hypot(inner.x, inner.y));

    list.Remove(1);
    const auto& turn = Emitter(50, 10, 90, 90);
    EXPECT_NEAR(list.EnergyDensityAt(400, 300), kPi * 10, 0.005 * kPi * 10);
    RecordingCanvas canvas;
    turn.Draw(canvas);
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"pen 0"});
}

// A full circle starts its lines outside by its flux, 2 pi R S. A dark one
// sends nothing but still casts its shadow.
TEST_F(CircularKindsTest, EmitterStartsItsLinesByItsFluxAndStillBlocksWhenDark) {
    auto& emitter = Emitter(50, 10);
    StreamLineStarts starts;
    emitter.AddStreamLineStarts(starts, list, static_cast<float>(2 * kPi * 50 * 10 / 20), {});
    EXPECT_EQ(starts.size(), 20u);
    for (const StreamLineStart& start : starts)
        EXPECT_NEAR(std::hypot(start.x - 400, start.y - 300), 53, 1e-3) << "3 pixels outside";
    emitter.staerke = 0;
    auto& lambert = Add<TObjektLambert>(380, 100, 420, 100);
    lambert.staerke = 10;
    EXPECT_FALSE(Lights(emitter, 400, 300) || Lights(emitter, 500, 300));
    EXPECT_FALSE(Lights(lambert, 400, 400)) << "behind the dark circle";
    EXPECT_TRUE(Lights(lambert, 400, 200));
}

// The dialog takes any number; what is not a number ends it at that field.
// Without a positive radius there are no elements, and nothing divides by 0.
TEST_F(CircularKindsTest, EmitterDialogReadsStrictlyWithoutChecks) {
    auto& emitter = Emitter(50, 10);
    AnswerOk({{"staerke", "2.5"}, {"radius", "-7"}, {"xmitte", "9000"}, {"winkel1", "500"}});
    EXPECT_TRUE(emitter.Edit(Context()));
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ((std::array{emitter.radius, emitter.xmitte, emitter.winkel1}), (std::array{-7, 9000, 500}));
    list.PrepareQueries(settings);
    EXPECT_EQ(Contributions(emitter, 100, 100), 0u);
    AnswerOk({{"staerke", "3"}, {"radius", "40"}, {"xmitte", "x"}});
    EXPECT_THROW(emitter.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(emitter.radius, 40) << "fields before the malformed one are read";
    EXPECT_EQ(emitter.xmitte, 9000);
}

// A ring of radius 100 at (400, 300), lit by a circular emitter to its right.
class CircularMirrorTest : public CircularKindsTest {
protected:
    CircularMirrorTest() {
        lamp.staerke = 10;
        settings.abbruchgenauigkeit = 0.01f;
    }
    // The flux out of the square of half-width 110 around the ring, of the
    // whole scene or of one object only.
    Extended FluxOut(const Tszeneobjekt* only = nullptr) {
        auto field = [&](int32_t x, int32_t y) { return only ? FieldOf(*only, x, y) : list.FlowDensitySum(x, y); };
        Extended flux = 0;
        for (int32_t t = -110; t < 110; ++t) {
            flux += field(400 + t, 410).y - field(400 + t, 190).y;
            flux += field(510, 300 + t).x - field(290, 300 + t).x;
        }
        return flux;
    }

    TObjektSpiegelKreis& ring = Add<TObjektSpiegelKreis>(400, 300, 500, 300);
    TObjektLambertKreis& lamp = Add<TObjektLambertKreis>(700, 300, 730, 300);
};

// What enters the square around the ring either leaves it again or is
// absorbed: the lamp's own flux into the square is what the ring intercepts.
TEST_F(CircularMirrorTest, RingAbsorbsExactlyWhatItsCoefficientsLeave) {
    struct Case {
        float difref, diftrans, absorbed;
    };
    for (const Case& c : {Case{0, 0, 1}, {100, 0, 0}, {50, 50, 0}, {30, 0, 0.7f}}) {
        ring.difref = c.difref;
        ring.diftrans = c.diftrans;
        ring.Elements().FreeElements();
        Compute();
        const Extended entering = -FluxOut(&lamp);
        ASSERT_GT(entering, 100);
        EXPECT_NEAR(-FluxOut(), c.absorbed * entering, 0.01 * entering) << c.difref << "/" << c.diftrans;
    }
}

// The elements are refilled from 0 degrees on, and each sees at once what the
// elements before it gathered: the element at 4 degrees, in the shadow before
// the lit side, gets the light that crossed the ring one pass later than the
// one at 270 degrees after it.
TEST_F(CircularMirrorTest, FullRingLightsItsOwnInnerFacesInElementOrder) {
    ring.diftrans = 100;
    list.PrepareQueries(settings);
    const std::vector<float>& difrad = ring.Elements().Radiation()[0].difrad;
    ASSERT_EQ(difrad.size(), 2 * 125u);
    const size_t early = 1, late = 125 * 3 / 4;
    ring.Iterate(list, {});
    EXPECT_EQ(difrad[2 * early + 1], 0);
    EXPECT_GT(difrad[2 * late + 1], 0);
    ring.Iterate(list, {});
    EXPECT_GT(difrad[2 * early + 1], 0);
}

// A convex mirror throws the beam back where it came from and casts a
// shadow; a clear ring lets it pass on.
TEST_F(CircularMirrorTest, SpecularRingReflectsOrPassesABeam) {
    settings.richtungprosel = 360;
    lamp.staerke = 0;
    Add<TObjektParallel>(350, 150, 450, 150).staerke = 10;
    ring.dirref = 100;
    Compute();
    EXPECT_LT(FieldOf(ring, 400, 180).y, -5) << "back up towards the beam";
    EXPECT_EQ(Contributions(ring, 400, 450), 0u) << "nothing below the mirror";
    ring.dirref = 0;
    ring.dirtrans = 100;
    ring.Elements().FreeElements();
    Compute();
    EXPECT_NEAR(FieldOf(ring, 400, 450).y, 10, 0.01 * 10) << "through the ring, in and out again";
    EXPECT_NEAR(FieldOf(ring, 400, 180).y, 0, 1e-6);
}

// The mirror counts a point on the circle as outside: there its own surface
// hides every element, and the element at exactly 90 degrees (130 bins,
// element 32 of 130) lies on the point itself. Regression test: an arc's
// inner face lights the points outside the circle that look into it, as it
// lights those inside: the field does not jump where the open part of the
// circle would be.
TEST_F(CircularMirrorTest, InnerFacesLightTheInsideUpToTheCircleAndBeyondAnArcsOpenPart) {
    settings.richtungprosel = 130;
    const auto lightInnerFaces = [&](int32_t winkel2) {
        ring.winkel2 = winkel2;
        ring.Elements().FreeElements();
        list.PrepareQueries(settings);
        std::vector<float>& difrad = ring.Elements().Radiation()[0].difrad;
        for (size_t i = 0; i < difrad.size(); i += 2) difrad[i] = 1;
    };
    lightInnerFaces(360);
    EXPECT_EQ(Contributions(ring, 499, 300), 130u);
    EXPECT_EQ(Contributions(ring, 500, 300), 0u);
    EXPECT_EQ(Contributions(ring, 501, 300), 0u) << "the outer faces are dark";
    lightInnerFaces(180);  // the right half, open to the left
    const FlowSum inside = FieldOf(ring, 301, 300), outside = FieldOf(ring, 299, 300);
    EXPECT_LT(inside.x, 0);
    EXPECT_NEAR(outside.x, inside.x, 0.02 * std::fabs(inside.x));
}

// With few bins and long elements, the reflection of an element seen from
// close by fans out over more than all bins, and the fan's window may start
// below bin 0: every bin counts once, none lies outside. An arc ending at 0
// has a second range, [0, 0], without elements.
TEST_F(CircularMirrorTest, FewBinsKeepTheFanInRangeAndAnArcEndingAtZeroReflects) {
    settings.richtungprosel = 8;
    settings.sellaenge = 100;
    ring.dirref = 100;
    Compute();
    for (int32_t x = 485; x < 515; x += 2)
        for (int32_t y = 270; y < 330; y += 3) {
            const FlowSum f = FieldOf(ring, x, y);
            EXPECT_TRUE(std::isfinite(f.x) && std::isfinite(f.y)) << x << "," << y;
        }
    settings.richtungprosel = 102;
    settings.sellaenge = 5;
    ring.winkel1 = 90;
    ring.winkel2 = 0;
    ring.dirref = ring.difref = 50;
    ring.Elements().FreeElements();
    Compute();
    EXPECT_GT(FieldOf(ring, 600, 300).x, 0);
}

// A sum above 100 is refused and shown again as typed; directed light with
// fewer than 1000 directions is advised against. A confirmed dialog drops the
// radiation, even when a malformed value ends it half-way after the radius
// changed; a dialog closed otherwise keeps it.
TEST_F(CircularMirrorTest, DialogRefusesASumAbove100AdvisesFineDirectionsAndDropsTheRadiation) {
    const std::string advice =
        "For good pictures,\rYou should set in the menu Parameters,\rsubmenu Resolution of calculation\r"
        "the Number of discrete directions to at least 1000.";
    AnswerOk({{"dirref", "30"}, {"difref", "30"}, {"dirtrans", "30"}, {"diftrans", "20"}});
    Answer([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["diftrans"].text, "20") << "what was typed stays";
        dialog["diftrans"].text = "10";
        return platform::ModalResult::OK;
    });
    EXPECT_TRUE(ring.Edit(Context()));
    EXPECT_EQ(headless.messages, (std::vector<std::string>{"The sum must not be more than 100%.", advice}));
    settings.richtungprosel = 1000;
    AnswerOk({{"dirref", "10"}, {"difref", "0"}, {"dirtrans", "10"}, {"diftrans", "0"}});
    EXPECT_TRUE(ring.Edit(Context()));
    EXPECT_EQ(headless.messages.size(), 2u) << "1000 directions are enough";

    Compute();
    ASSERT_FALSE(ring.Elements().Pieces().empty());
    EXPECT_FALSE(ring.Edit(Context())) << "closed without OK";
    EXPECT_FALSE(ring.Elements().Pieces().empty());
    AnswerOk({{"radius", "60"}, {"xmitte", "?"}});
    EXPECT_THROW(ring.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(ring.radius, 60);
    EXPECT_TRUE(ring.Elements().Pieces().empty());
}

TEST_F(CircularKindsTest, AbsorberArcShadowsOnlyWhereItLiesAndItsDialogReadsStrictly) {
    auto& absorber = Add<TObjektAbsorberKreis>(400, 300, 500, 300);
    absorber.winkel1 = 270;  // the upper half
    absorber.winkel2 = 90;
    auto& above = Add<TObjektLambert>(380, 100, 420, 100);
    above.staerke = 10;
    auto& below = Add<TObjektLambert>(380, 500, 420, 500);
    below.staerke = 10;
    EXPECT_FALSE(Lights(above, 400, 300)) << "through the arc";
    EXPECT_TRUE(Lights(below, 400, 300)) << "through the open half";
    absorber.winkel2 = 270;
    list.PrepareQueries(settings);  // the blocking shapes are prepared too
    EXPECT_FALSE(Lights(below, 400, 300)) << "equal angles: the full circle";

    AnswerOk({{"xmitte", "10"}, {"ymitte", "1.5"}, {"radius", "30"}});
    EXPECT_THROW(absorber.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(absorber.xmitte, 10);
    EXPECT_EQ(absorber.radius, 100) << "the dialog reads strictly, up to the malformed centre";
}

}  // namespace
