#include <cmath>

#include "HeadlessFixture.h"
#include "RecordingCanvas.h"
#include "model/SceneList.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/Errors.h"

namespace {

// Circles centred at (400, 300) unless a test says otherwise.
class CircularKindsTest : public HeadlessSceneTest {
protected:
    CircularKindsTest() { list.CleanAndNumber(); }

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

    TObjektLambertKreis& Emitter(int32_t radius, float staerke, int32_t winkel1 = 0, int32_t winkel2 = 360) {
        auto& emitter = Add<TObjektLambertKreis>(400, 300, 400 + radius, 300);
        emitter.staerke = staerke;
        emitter.winkel1 = winkel1;
        emitter.winkel2 = winkel2;
        list.PrepareQueries(settings);
        return emitter;
    }

    FlowSum FieldOf(const Tszeneobjekt& object, int32_t x, int32_t y) {
        float fx, fy;
        object.FlowDensityAt(x, y, list, fx, fy, 0);
        return {fx, fy};
    }

    size_t Contributions(const Tszeneobjekt& object, int32_t x, int32_t y) {
        FlowVectorList contributions;
        object.FlowContributionsAt(x, y, list, 0, contributions);
        return contributions.size();
    }

    // Passes of every object until none changes.
    int Balance() {
        list.PrepareQueries(settings);
        int passes = 0;
        for (bool again = true; again && passes < 100; ++passes) {
            again = false;
            for (const auto& object : list) again = object->Iterate(list, {}) || again;
        }
        return passes;
    }

    // The flux out of the square of half-width `half` around (400, 300), of
    // the whole scene or of one object only.
    Extended FluxOut(int32_t half, const Tszeneobjekt* only = nullptr) {
        auto field = [&](int32_t x, int32_t y) { return only ? FieldOf(*only, x, y) : list.FlowDensitySum(x, y); };
        Extended flux = 0;
        for (int32_t t = -half; t < half; ++t) {
            flux += field(400 + t, 300 + half).y - field(400 + t, 300 - half).y;
            flux += field(400 + half, 300 + t).x - field(400 - half, 300 + t).x;
        }
        return flux;
    }

    SceneList list{NewBackground()};
};

// --- Circular Lambert-like emitter --------------------------------------------

// Outside a full circle of strength S and radius R every point sees its near
// side under 2 asin(R / rho), inside it sees the whole circle; each face
// sends S/2 per unit angle both ways.
TEST_F(CircularKindsTest, FullEmitterFieldIsThatOfTheExactCircle) {
    const auto& emitter = Emitter(50, 10);
    struct Point {
        int32_t x, y;
    };
    for (const Point& p : {Point{500, 300}, {400, 100}, {200, 300}, {400, 500}, {520, 390}, {330, 230}}) {
        const Extended ox = p.x - 400, oy = p.y - 300, rho = std::hypot(ox, oy);
        const FlowSum f = FieldOf(emitter, p.x, p.y);
        // 103 elements of 3 pixels: the sum misses the circle by well under
        // 1 % at two radii and more.
        EXPECT_NEAR(std::hypot(f.x, f.y), 10 * 50 / rho, 0.01 * 10 * 50 / rho) << p.x << "," << p.y;
        EXPECT_NEAR(f.x * oy - f.y * ox, 0, 0.01 * 10 * 50) << "radial at " << p.x << "," << p.y;
        EXPECT_GT(f.x * ox + f.y * oy, 0);
        EXPECT_NEAR(list.EnergyDensityAt(p.x, p.y), 10 * std::asin(50 / rho), 0.01 * 10 * std::asin(50 / rho));
    }
    for (const Point& p : {Point{400, 300}, {420, 310}, {370, 280}}) {
        const FlowSum f = FieldOf(emitter, p.x, p.y);
        EXPECT_LT(std::hypot(f.x, f.y), 0.01 * 10) << p.x << "," << p.y;
        EXPECT_NEAR(list.EnergyDensityAt(p.x, p.y), kPi * 10, 0.005 * kPi * 10);
    }
}

TEST_F(CircularKindsTest, EmitterSeesFarSideOnlyFromInsideAndThePointOnTheCircleCountsAsInside) {
    const auto& emitter = Emitter(50, 10);
    // 102 bins give 103 elements; from 200 away the near side spans
    // 2 acos(50/200) = 151 degrees, 43 of them.
    EXPECT_EQ(Contributions(emitter, 400, 300), 103u);
    EXPECT_EQ(Contributions(emitter, 380, 290), 103u);
    EXPECT_NEAR(static_cast<double>(Contributions(emitter, 400, 500)), 103 * 151.0 / 360, 1.5);
    // On the circle nothing hides, and the excess points to the centre at
    // exactly the strength; one pixel further out it points away.
    EXPECT_EQ(Contributions(emitter, 450, 300), 103u);
    const FlowSum on = FieldOf(emitter, 450, 300);
    EXPECT_FLOAT_EQ(on.x, -10);
    EXPECT_FLOAT_EQ(on.y, 0);
    EXPECT_GT(FieldOf(emitter, 451, 300).x, 0);
    // Near the surface the field never exceeds what the surface emits, and
    // just outside it points away from the centre.
    for (int32_t x = 440; x <= 460; ++x)
        for (int32_t y = 280; y <= 320; ++y) {
            const FlowSum f = FieldOf(emitter, x, y);
            EXPECT_LE(std::hypot(f.x, f.y), 10 * (1 + 1e-6)) << x << "," << y;
            if (std::hypot(x - 400, y - 300) > 51) {
                EXPECT_GT(f.x * (x - 400) + f.y * (y - 300), 0) << x << "," << y;
            }
        }
}

// Both faces of an arc emit alike. The arc from 89 to 91 degrees of a circle
// of radius 200 is nearly straight: its two elements are seen from 20 pixels
// off either face under angles that differ by 0.1 %.
TEST_F(CircularKindsTest, ArcEmitsFromBothFacesAlike) {
    auto& arc = Add<TObjektLambertKreis>(300, 300, 500, 300);
    arc.staerke = 10;
    arc.winkel1 = 89;
    arc.winkel2 = 91;
    list.PrepareQueries(settings);
    const FlowSum outer = FieldOf(arc, 520, 300), inner = FieldOf(arc, 480, 300);
    EXPECT_GT(outer.x, 0);
    EXPECT_LT(inner.x, 0);
    EXPECT_NEAR(std::hypot(outer.x, outer.y), std::hypot(inner.x, inner.y), 0.005 * std::hypot(inner.x, inner.y));
}

TEST_F(CircularKindsTest, EqualAnglesEmitAFullTurnButDrawNothing) {
    const auto& arc = Emitter(50, 10, 90, 90);
    // Two ranges, [90, 360] and [0, 90], each one element more than their
    // share of the bins: the inside still sees the whole turn.
    EXPECT_NEAR(list.EnergyDensityAt(400, 300), kPi * 10, 0.005 * kPi * 10);
    RecordingCanvas canvas;
    arc.Draw(canvas);
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"pen 0"});
}

TEST_F(CircularKindsTest, DarkEmitterStillBlocks) {
    const auto& dark = Emitter(50, 0);
    auto& lambert = Add<TObjektLambert>(380, 100, 420, 100);
    lambert.staerke = 10;
    float fx, fy;
    for (auto [x, y] : {std::pair{400, 300}, {400, 200}, {500, 300}, {400, 352}})
        EXPECT_FALSE(dark.FlowDensityAt(x, y, list, fx, fy, 0)) << x << "," << y;
    EXPECT_FALSE(lambert.FlowDensityAt(400, 400, list, fx, fy, 0)) << "behind the dark circle";
    EXPECT_TRUE(lambert.FlowDensityAt(400, 200, list, fx, fy, 0));
    EXPECT_EQ(dark.Strength(), 0);
}

// The flux leaving a full circle is 2 pi R S; inside, the field cancels.
TEST_F(CircularKindsTest, EmitterStartsItsLinesOutsideByItsFlux) {
    const auto& emitter = Emitter(50, 10);
    StreamLineStarts starts;
    emitter.AddStreamLineStarts(starts, list, static_cast<float>(2 * kPi * 50 * 10 / 20), {});
    EXPECT_EQ(starts.size(), 20u);
    for (const StreamLineStart& start : starts)
        EXPECT_NEAR(std::hypot(start.x - 400, start.y - 300), 53, 1e-3) << "3 pixels outside";
}

TEST_F(CircularKindsTest, EmitterDialogReadsStrictlyWithoutChecks) {
    auto& emitter = Emitter(50, 10);
    Answer([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Circular lambert-like emitter");
        std::vector<std::string> captions;
        for (const auto& control : dialog.controls) captions.push_back(control.caption);
        EXPECT_EQ(captions,
                  (std::vector<std::string>{"energy flow density", "Radius", "Center X", "Center Y", "Complete circle?",
                                            "Start angle", "End angle", "Color", "OK", "Cancel"}));
        EXPECT_EQ(dialog["radius"].text, "50");
        for (auto [id, text] : {std::pair{"staerke", "2.5"},
                                {"radius", "-7"},
                                {"xmitte", "9000"},
                                {"ymitte", "7"},
                                {"winkel1", "500"},
                                {"winkel2", "-20"}})
            dialog[id].text = text;
        dialog["color"].selected = 1;
        return platform::ModalResult::OK;
    });
    EXPECT_TRUE(emitter.Edit(Context()));
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ((std::array{emitter.radius, emitter.xmitte, emitter.ymitte, emitter.winkel1, emitter.winkel2}),
              (std::array{-7, 9000, 7, 500, -20}));
    EXPECT_FLOAT_EQ(emitter.staerke, 2.5f);
    EXPECT_EQ(emitter.colour, 0x0000FF);
    // No positive radius, no elements: nothing is sent, nothing divides by 0.
    list.PrepareQueries(settings);
    EXPECT_EQ(Contributions(emitter, 100, 100), 0u);

    AnswerOk({{"staerke", "3"}, {"radius", "40"}, {"xmitte", "x"}});
    EXPECT_THROW(emitter.Edit(Context()), platform::ConversionError);
    EXPECT_FLOAT_EQ(emitter.staerke, 3) << "fields before the malformed one are read";
    EXPECT_EQ(emitter.radius, 40);
    EXPECT_EQ(emitter.xmitte, 9000);
}

// --- Circular mirror/diffusor -------------------------------------------------

// A ring of radius 100 at (400, 300), lit by a circular emitter to its right.
class CircularMirrorTest : public CircularKindsTest {
protected:
    CircularMirrorTest() : ring(Add<TObjektSpiegelKreis>(400, 300, 500, 300)) {
        auto& lamp = Add<TObjektLambertKreis>(700, 300, 730, 300);
        lamp.staerke = 10;
        emitter = &lamp;
        settings.abbruchgenauigkeit = 0.01f;
    }

    TObjektSpiegelKreis& ring;
    const TObjektLambertKreis* emitter;
};

TEST_F(CircularMirrorTest, AllCoefficientsZeroSendNothing) {
    EXPECT_EQ(Balance(), 1);
    EXPECT_EQ(Contributions(ring, 400, 300), 0u);
    EXPECT_EQ(Contributions(ring, 550, 300), 0u);
    StreamLineStarts starts;
    ring.AddStreamLineStarts(starts, list, 1, {});
    EXPECT_TRUE(starts.empty());
}

// What enters the square around the ring alone either leaves it again or is
// absorbed. The emitter's own flux into the square is what the ring
// intercepts; sampling the square at whole pixels and the 5-pixel elements
// cost well under 1 % of it.
TEST_F(CircularMirrorTest, RingAbsorbsExactlyWhatItsCoefficientsLeave) {
    struct Case {
        float difref, diftrans, absorbed;
    };
    for (const Case& c : {Case{100, 0, 0}, {50, 50, 0}, {0, 100, 0}, {30, 0, 0.7f}}) {
        ring.difref = c.difref;
        ring.diftrans = c.diftrans;
        ring.Elements().FreeElements();
        Balance();
        const Extended entering = -FluxOut(110, emitter);
        ASSERT_GT(entering, 100);
        EXPECT_NEAR(-FluxOut(110), c.absorbed * entering, 0.01 * entering) << c.difref << "/" << c.diftrans;
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
    EXPECT_LT(FieldOf(ring, 400, 300).x, 0) << "inside, the light comes from the lit side";
}

// A convex mirror throws the beam back where it came from and casts a
// shadow; a clear ring lets it pass on.
TEST_F(CircularMirrorTest, SpecularRingReflectsOrPassesABeam) {
    settings.richtungprosel = 360;
    auto& beam = Add<TObjektParallel>(350, 150, 450, 150);
    beam.staerke = 10;
    list.Remove(2);  // the emitter
    list.CleanAndNumber();
    ring.dirref = 100;
    Balance();
    EXPECT_LT(FieldOf(ring, 400, 180).y, -5) << "back up towards the beam";
    EXPECT_EQ(Contributions(ring, 400, 450), 0u) << "nothing below the mirror";
    ring.dirref = 0;
    ring.dirtrans = 100;
    ring.Elements().FreeElements();
    Balance();
    EXPECT_NEAR(FieldOf(ring, 400, 450).y, 10, 0.01 * 10) << "through the ring, in and out again";
    EXPECT_NEAR(FieldOf(ring, 400, 180).y, 0, 1e-6);
}

// The mirror counts a point on the circle as outside: there its own surface
// hides every element, and the element at exactly 90 degrees (130 bins,
// element 32 of 130) lies on the point itself.
TEST_F(CircularMirrorTest, PointOnTheCircleIsOutsideTheMirror) {
    settings.richtungprosel = 130;
    list.PrepareQueries(settings);
    std::vector<float>& difrad = ring.Elements().Radiation()[0].difrad;
    for (size_t i = 0; i < difrad.size(); i += 2) difrad[i] = 1;  // every inner face
    EXPECT_EQ(Contributions(ring, 499, 300), 130u);
    EXPECT_EQ(Contributions(ring, 500, 300), 0u);
    EXPECT_EQ(Contributions(ring, 501, 300), 0u) << "the outer faces are dark";
}

// Regression test: an arc's inner face lights the points outside the circle
// that look into it, as it lights those inside: the field does not jump
// where the open part of the circle would be.
TEST_F(CircularMirrorTest, ArcSendsItsInnerFaceAlsoOutsideTheCircle) {
    ring.winkel1 = 0;  // the right half, open to the left
    ring.winkel2 = 180;
    ring.Elements().FreeElements();
    list.PrepareQueries(settings);
    std::vector<float>& difrad = ring.Elements().Radiation()[0].difrad;
    for (size_t i = 0; i < difrad.size(); i += 2) difrad[i] = 1;
    const FlowSum inside = FieldOf(ring, 301, 300), outside = FieldOf(ring, 299, 300);
    EXPECT_LT(inside.x, 0);
    EXPECT_NEAR(outside.x, inside.x, 0.02 * std::fabs(inside.x));
}

// Its second range, [0, 0], has no elements.
TEST_F(CircularMirrorTest, ArcEndingAtZeroReflects) {
    ring.winkel1 = 90;
    ring.winkel2 = 0;
    ring.dirref = ring.difref = 50;
    ring.Elements().FreeElements();
    Balance();
    EXPECT_GT(FieldOf(ring, 600, 300).x, 0);
}

// With few bins and long elements, the reflection of an element seen from
// close by fans out over more than all bins, and the fan's window may start
// below bin 0: every bin counts once, none lies outside.
TEST_F(CircularMirrorTest, FewBinsKeepTheFanInRange) {
    settings.richtungprosel = 8;
    settings.sellaenge = 100;
    ring.dirref = 100;
    Balance();
    for (int32_t x = 485; x < 515; ++x)
        for (int32_t y = 270; y < 330; y += 3) {
            const FlowSum f = FieldOf(ring, x, y);
            EXPECT_TRUE(std::isfinite(f.x) && std::isfinite(f.y)) << x << "," << y;
        }
}

TEST_F(CircularMirrorTest, DialogRefusesASumAbove100AndAdvisesFineDirections) {
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
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Circular Mirror", "Circular Mirror"}));

    struct Case {
        const char *dirref, *dirtrans, *difref;
        int32_t richtungprosel;
        bool advised;
    };
    for (const Case& c : {Case{"10", "0", "0", 102, true},
                          {"0", "10", "0", 999, true},
                          {"0", "0", "60", 102, false},
                          {"10", "10", "0", 1000, false}}) {
        headless.messages.clear();
        settings.richtungprosel = c.richtungprosel;
        AnswerOk({{"dirref", c.dirref}, {"dirtrans", c.dirtrans}, {"difref", c.difref}, {"diftrans", "0"}});
        ring.Edit(Context());
        EXPECT_EQ(headless.messages, c.advised ? std::vector<std::string>{advice} : std::vector<std::string>{})
            << c.dirref << "/" << c.dirtrans << "/" << c.difref << " at " << c.richtungprosel;
    }
}

// A confirmed dialog drops the radiation, even when a malformed value ends it
// half-way after the radius changed; a dialog closed otherwise keeps it.
TEST_F(CircularMirrorTest, EditDropsTheRadiationOnlyWhenConfirmed) {
    ring.difref = 50;
    Balance();
    ASSERT_FALSE(ring.Elements().Pieces().empty());
    EXPECT_FALSE(ring.Edit(Context())) << "closed without OK";
    EXPECT_FALSE(ring.Elements().Pieces().empty());
    AnswerOk({{"radius", "60"}, {"xmitte", "?"}});
    EXPECT_THROW(ring.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(ring.radius, 60);
    EXPECT_TRUE(ring.Elements().Pieces().empty());
    list.PrepareQueries(settings);
    EXPECT_EQ(ring.Elements().Pieces()[0].elements.size(), 102u) << "rebuilt at the next computation, radius 60";
}

// --- Circular absorber --------------------------------------------------------

TEST_F(CircularKindsTest, AbsorberArcShadowsOnlyWhereItLies) {
    auto& absorber = Add<TObjektAbsorberKreis>(400, 300, 500, 300);
    absorber.winkel1 = 270;  // the upper half
    absorber.winkel2 = 90;
    auto& above = Add<TObjektLambert>(380, 100, 420, 100);
    above.staerke = 10;
    auto& below = Add<TObjektLambert>(380, 500, 420, 500);
    below.staerke = 10;
    float fx, fy;
    EXPECT_FALSE(above.FlowDensityAt(400, 300, list, fx, fy, 0)) << "through the arc";
    EXPECT_TRUE(below.FlowDensityAt(400, 300, list, fx, fy, 0)) << "through the open half";
    absorber.winkel1 = 0;
    absorber.winkel2 = 360;
    list.PrepareQueries(settings);  // the blocking shapes are prepared too
    EXPECT_FALSE(below.FlowDensityAt(400, 300, list, fx, fy, 0));
    auto& inside = Add<TObjektLambert>(380, 280, 420, 280);
    inside.staerke = 10;
    EXPECT_TRUE(inside.FlowDensityAt(400, 340, list, fx, fy, 0)) << "both inside the full circle";
    EXPECT_FALSE(inside.FlowDensityAt(400, 450, list, fx, fy, 0));
}

TEST_F(CircularKindsTest, AbsorberDialogShowsTheCentreFirstAndReadsStrictly) {
    auto& absorber = Add<TObjektAbsorberKreis>(400, 300, 500, 300);
    Answer([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Circular absorber");
        std::vector<std::string> ids;
        for (const auto& control : dialog.controls) ids.push_back(control.id.empty() ? control.caption : control.id);
        EXPECT_EQ(ids, (std::vector<std::string>{"xmitte", "ymitte", "radius", "Full circle?", "winkel1", "winkel2",
                                                 "color", "OK", "Cancel"}));
        dialog["xmitte"].text = "10";
        dialog["ymitte"].text = "1.5";
        dialog["radius"].text = "30";
        return platform::ModalResult::OK;
    });
    EXPECT_THROW(absorber.Edit(Context()), platform::ConversionError);
    EXPECT_EQ(absorber.xmitte, 10);
    EXPECT_EQ(absorber.radius, 100) << "read after the malformed centre";
}

}  // namespace
