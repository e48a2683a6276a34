// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "SceneFixture.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/Errors.h"
#include "platform/RasterBitmap.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

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
    const double rho = std::hypot(120, 90);
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

// A ring of radius 100 at (400, 300), lit by a circular emitter to its right.
class CircularMirrorTest : public CircularKindsTest {
protected:
    CircularMirrorTest() {
        lamp.staerke = 10;
        settings.abbruchgenauigkeit = 0.01f;
    }
    // The flux out of the square of half-width 110 around the ring, of the
    // whole scene or of one object only.
    double FluxOut(const Tszeneobjekt* only = nullptr) {
        auto field = [&](int32_t x, int32_t y) { return only ? FieldOf(*only, x, y) : list.FlowDensitySum(x, y); };
        double flux = 0;
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
    for (const Case& c : {Case{0, 0, 1}, {30, 0, 0.7f}}) {
        ring.difref = c.difref;
        ring.diftrans = c.diftrans;
        ring.Elements().FreeElements();
        Compute();
        const double entering = -FluxOut(&lamp);
        ASSERT_GT(entering, 100);
        EXPECT_NEAR(-FluxOut(), c.absorbed * entering, 0.01 * entering) << c.difref << "/" << c.diftrans;
    }
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

    Compute();
    ASSERT_FALSE(ring.Elements().Pieces().empty());
    EXPECT_FALSE(ring.Edit(Context())) << "closed without OK";
    EXPECT_FALSE(ring.Elements().Pieces().empty());
    // Text that is no number is refused at its field, the cursor there.
    headless.messages.clear();
    AnswerOk({{"radius", "60"}, {"xmitte", "?"}});
    Answer([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.focus, "xmitte");
        return platform::ModalResult::Cancel;
    });
    EXPECT_FALSE(ring.Edit(Context()));
    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"'?' is not a valid integer value\rin the field \"Center X\"."});
    EXPECT_TRUE(ring.Elements().Pieces().empty());
}

TEST_F(CircularKindsTest, AbsorberArcShadowsOnlyWhereItLies) {
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
}

// Regression test: pairs of angles beyond 0..360, and 360..0, were drawn,
// emitted and blocked each in its own way: -90..90 was drawn as the upper
// half but blocked only its right quarter, 0..720 emitted twice, 360..0 was
// drawn whole but emitted and blocked nothing. Each now is, in every use, the
// arc of the pair within 0..360 that names the same angles.
TEST_F(CircularKindsTest, AnglesBeyondATurnMeanTheSameArcInEveryUse) {
    auto& emitter = Emitter(50, 10);
    emitter.colour = 0x0000FF;
    // Inside, on and off the circle, in every direction, and beyond the ends
    // of the upper half.
    const std::vector<std::pair<int32_t, int32_t>> points{{400, 300}, {380, 320}, {420, 260}, {400, 180}, {400, 420},
                                                          {280, 300}, {520, 300}, {470, 230}, {330, 370}, {451, 300},
                                                          {349, 300}, {400, 249}, {400, 351}, {455, 310}};
    // Sight lines across the circle above, below, left and right of the
    // centre, through it, and ending on it.
    const std::vector<std::array<int32_t, 4>> paths{{300, 270, 500, 270}, {300, 330, 500, 330}, {370, 200, 370, 400},
                                                    {430, 200, 430, 400}, {300, 300, 500, 300}, {400, 200, 400, 400},
                                                    {400, 300, 500, 200}, {400, 300, 300, 400}, {450, 300, 520, 300},
                                                    {350, 300, 280, 300}, {380, 300, 420, 300}};
    struct Uses {
        std::vector<platform::TColor> pixels;
        std::vector<float> field;
        std::vector<bool> blocks, near;
    };
    const auto uses = [&](int32_t winkel1, int32_t winkel2) {
        emitter.winkel1 = winkel1;
        emitter.winkel2 = winkel2;
        list.PrepareQueries(settings);
        Uses u;
        platform::RasterBitmap picture(200, 200);
        emitter.MoveBy(-300, -200);  // into the small picture and back
        emitter.Draw(picture.GetCanvas());
        emitter.MoveBy(300, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) u.pixels.push_back(picture.Pixel(x, y));
        for (const auto& [x, y] : points) {
            float fx = 0, fy = 0;
            emitter.FlowDensityAt(x, y, list, fx, fy, 0);
            u.field.insert(u.field.end(), {fx, fy});
            u.near.push_back(emitter.IsNear(x, y, 5, 0, 0));
        }
        for (const auto& [ax, ay, bx, by] : paths) u.blocks.push_back(emitter.Blocks(ax, ay, bx, by, 0, 0));
        return u;
    };
    struct Case {
        int32_t winkel1, winkel2, same1, same2;
    };
    for (const Case& c : {Case{-90, 90, 270, 90}, {0, 720, 0, 360}, {-360, 0, 0, 360}, {360, 0, 0, 360}}) {
        const Uses expected = uses(c.same1, c.same2), got = uses(c.winkel1, c.winkel2);
        ASSERT_EQ(got.pixels.size(), expected.pixels.size());
        size_t differing = 0;
        for (size_t i = 0; i < got.pixels.size(); ++i) differing += got.pixels[i] != expected.pixels[i];
        EXPECT_EQ(differing, 0u) << c.winkel1 << " to " << c.winkel2 << ": pixels drawn";
        EXPECT_EQ(got.field, expected.field) << c.winkel1 << " to " << c.winkel2 << ": field";
        EXPECT_EQ(got.blocks, expected.blocks) << c.winkel1 << " to " << c.winkel2 << ": blocking";
        EXPECT_EQ(got.near, expected.near) << c.winkel1 << " to " << c.winkel2 << ": nearness";
        EXPECT_EQ(emitter.winkel1, c.winkel1) << "kept as entered";
        EXPECT_EQ(emitter.winkel2, c.winkel2);
    }
    // The rows' light differs where their arcs differ: the comparison can fail.
    EXPECT_NE(uses(270, 90).field, uses(0, 360).field);
}

// Every circular kind's dialog refuses a negative radius, as typed, and the
// object reports it when it holds one (as a scene file may give it).
TEST_F(CircularKindsTest, DialogsRefuseANegativeRadius) {
    std::vector<TObjektKreis*> circles{&Add<TObjektAbsorberKreis>(400, 300, 450, 300), &Emitter(50, 10),
                                       &Add<TObjektSpiegelKreis>(400, 300, 450, 300)};
    for (TObjektKreis* circle : circles) {
        headless.messages.clear();
        AnswerOk({{"radius", "-20"}, {"xmitte", "410"}});
        Answer([](platform::DialogSpec& dialog) {
            EXPECT_EQ(dialog["radius"].text, "-20") << "what was typed stays";
            dialog["radius"].text = "20";
            return platform::ModalResult::OK;
        });
        EXPECT_TRUE(circle->Edit(Context())) << circle->kind;
        EXPECT_EQ(headless.messages, std::vector<std::string>{"The radius must not be negative."}) << circle->kind;
        EXPECT_EQ(circle->radius, 20);
        EXPECT_EQ(circle->xmitte, 410);
        EXPECT_EQ(circle->ValueProblem(), "") << circle->kind;
        circle->radius = 0;
        EXPECT_EQ(circle->ValueProblem(), "") << "degenerate, removed before use, but not refused";
        circle->radius = -1;
        EXPECT_EQ(circle->ValueProblem(), "The radius must not be negative.") << circle->kind;
    }
}

}  // namespace
