// The energy balance: what each kind emits, what surfaces receive, what
// mirrors send, and that the power of a closed scene is accounted for.
#include <cmath>

#include "SceneFixture.h"
#include "measure/EnergyBalance.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"

namespace {

class EnergyBalanceTest : public SceneTest {
protected:
    const ObjectBalance& Of(const EnergyBalance& balance, const Tszeneobjekt& object) {
        return balance.objects.at(static_cast<size_t>(object.number - 1));
    }
};

TEST_F(EnergyBalanceTest, EveryKindEmitsStaerkePerUnitLengthOfEachFaceThatLightLeaves) {
    auto& lambert = Add<TObjektLambert>(100, 100, 130, 140);  // 50 long
    lambert.staerke = 2;
    Add<TObjektParallel>(200, 100, 300, 100).staerke = 3;
    auto& circle = Add<TObjektLambertKreis>(400, 300, 440, 300);
    circle.staerke = 5;
    auto& arc = Add<TObjektLambertKreis>(600, 300, 640, 300);
    arc.staerke = 5;
    arc.winkel1 = 90;
    arc.winkel2 = 270;
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 4;
    sun.richtung = 30;
    auto& background = static_cast<TObjektHintergrund&>(list.Head());
    background.staerke = 0.5f;
    Add<TObjektAbsorber>(100, 500, 200, 500);
    Compute();
    EnergyBalance balance = BalanceOf(list, settings);
    const double expected[] = {
        0.5 * 2 * (800 + 600),                      // the frame, all round
        2 * 2 * 50.0,                               // both faces
        2 * 3 * 100.0,                              // both beams
        2 * kPi * 40 * 5,                           // the outer face; the inner one lights itself
        5 * 40 * kPi * (2 - 0.5),                   // the outer face, and half the inner one's light escapes
        4 * (800 * std::cos(kPi / 6) + 600 * 0.5),  // through the top and the right edge
        0,                                          // an absorber emits nothing
    };
    ASSERT_EQ(balance.objects.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_NEAR(balance.objects[i].emitted, expected[i], 1e-3) << balance.objects[i].kind;

    background.nuroben = true;  // the top edge, and the lower half of each side's light
    balance = BalanceOf(list, settings);
    EXPECT_NEAR(balance.objects[0].emitted, 0.5 * (800 + 600), 1e-3);
}

TEST_F(EnergyBalanceTest, AStraightSurfaceReceivesTheFluxThroughItWhateverItsSlant) {
    // A beam of 40 over 100 <= x <= 300 travelling up the screen.
    Add<TObjektParallel>(100, 500, 300, 500).staerke = 40;
    // At 45 degrees |n.v| is 40 / sqrt 2, over 200 sqrt 2 pixels.
    const auto& slanted = Add<TObjektAbsorber>(100, 400, 300, 200);
    const auto& shaded = Add<TObjektAbsorber>(100, 100, 300, 100);
    const auto& beside = Add<TObjektAbsorber>(350, 100, 350, 500);
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    // Every probe of the absorber lies in the beam: exactly 40 * 200, up to
    // the rounding of the 32-bit flow vectors.
    EXPECT_NEAR(Of(balance, slanted).received, 8000, 1e-2);
    EXPECT_NEAR(Of(balance, slanted).absorbed, 8000, 1e-2);
    EXPECT_EQ(Of(balance, shaded).received, 0) << "in the first one's shadow";
    EXPECT_EQ(Of(balance, beside).received, 0);
}

TEST_F(EnergyBalanceTest, ACircleInAUniformlyGlowingFrameReceivesItsCircumferenceTimesStaerke) {
    // Radiance S/2 from every direction gives every face the irradiance S.
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 2;
    const auto& absorber = Add<TObjektAbsorberKreis>(400, 300, 450, 300);
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    // Within the midpoint rule and the probes' whole pixels, a few in a thousand.
    EXPECT_NEAR(Of(balance, absorber).received, 2 * kPi * 50 * 2, 2 * kPi * 50 * 2 * 0.005);
}

// Emitters and absorbers and a 30 % diffuse reflector inside a dark frame:
// every bit of light ends in an absorber (an emitter absorbs too), in the
// reflector or leaves through the frame.
TEST_F(EnergyBalanceTest, TheBalanceOfAClosedSceneClosesOnAnyNumberOfThreads) {
    Add<TObjektLambert>(300, 250, 450, 300).staerke = 10;
    Add<TObjektParallel>(100, 500, 200, 500).staerke = 5;
    Add<TObjektLambertKreis>(200, 300, 230, 300).staerke = 4;
    Add<TObjektAbsorber>(150, 120, 150, 380);
    Add<TObjektAbsorberKreis>(600, 300, 650, 300);
    auto& reflector = Add<TObjektSpiegel>(200, 100, 600, 100);
    reflector.difref = 30;
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    Extended emitted = 0, absorbed = 0;
    for (const ObjectBalance& object : balance.objects) {
        emitted += object.emitted;
        absorbed += object.absorbed;
    }
    EXPECT_DOUBLE_EQ(balance.emitted, emitted);
    EXPECT_DOUBLE_EQ(balance.absorbed, absorbed);
    EXPECT_NEAR(balance.emitted, balance.absorbed + balance.leaving, 0.02 * balance.emitted);
    EXPECT_NEAR(balance.imbalance, 0, 2);
    EXPECT_GT(balance.leaving, 0);

    const ObjectBalance& mirror = Of(balance, reflector);
    EXPECT_NEAR(mirror.reflected, 0.3 * mirror.received, 1e-3 * mirror.received);
    EXPECT_EQ(mirror.transmitted, 0);
    EXPECT_NEAR(mirror.absorbed, 0.7 * mirror.received, 1e-3 * mirror.received);
    ASSERT_TRUE(mirror.change.has_value());
    EXPECT_LE(*mirror.change, balance.stopCriterion);
    EXPECT_FALSE(balance.objects[1].change.has_value()) << "only mirrors iterate";

    // The probes run side by side and are summed in their order.
    SetThreadCount(1);
    const EnergyBalance one = BalanceOf(list, settings);
    SetThreadCount(4);
    const EnergyBalance four = BalanceOf(list, settings);
    for (size_t i = 0; i < one.objects.size(); ++i) EXPECT_EQ(one.objects[i].absorbed, four.objects[i].absorbed);
    EXPECT_EQ(one.leaving, four.leaving);
}

TEST_F(EnergyBalanceTest, MirrorsSplitWhatTheySendByTheirCoefficients) {
    Add<TObjektLambert>(300, 250, 450, 300).staerke = 10;
    auto& straight = Add<TObjektSpiegel>(200, 100, 600, 100);
    straight.dirref = 20;
    straight.difref = 30;
    straight.dirtrans = 10;
    straight.diftrans = 10;
    auto& circular = Add<TObjektSpiegelKreis>(400, 450, 460, 450);
    circular.dirref = 20;
    circular.difref = 40;
    circular.diftrans = 10;
    circular.winkel1 = 270;
    circular.winkel2 = 90;
    settings.abbruchgenauigkeit = 0.01f;
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    for (const Tszeneobjekt* object : {static_cast<Tszeneobjekt*>(&straight), static_cast<Tszeneobjekt*>(&circular)}) {
        const ObjectBalance& mirror = Of(balance, *object);
        const double reflectivity = object == &straight ? 0.5 : 0.6, transmittance = object == &straight ? 0.2 : 0.1;
        EXPECT_GT(mirror.received, 100) << mirror.kind;
        // Directed light leaves at its bin's middle direction, not its own:
        // with 102 bins that moves its power by up to a few percent.
        EXPECT_NEAR(mirror.reflected, reflectivity * mirror.received, 0.03 * mirror.received) << mirror.kind;
        EXPECT_NEAR(mirror.transmitted, transmittance * mirror.received, 0.03 * mirror.received) << mirror.kind;
        EXPECT_NEAR(mirror.absorbed, mirror.received - mirror.reflected - mirror.transmitted, 1e-9) << mirror.kind;
    }
    EXPECT_NEAR(balance.imbalance, 0, 2);
}

TEST_F(EnergyBalanceTest, MirrorsStoppedEarlyShowHowFarTheyAreFromTheBalance) {
    // Two diffusors facing each other across a lamp pass light to and fro.
    Add<TObjektLambert>(380, 300, 420, 300).staerke = 10;
    auto& upper = Add<TObjektSpiegel>(200, 200, 600, 200);
    upper.difref = 90;
    Add<TObjektSpiegel>(200, 400, 600, 400).difref = 90;
    settings.maximaleiterationen = 1;
    Compute();
    const EnergyBalance early = BalanceOf(list, settings);
    // After one pass the upper one sends back only what the lamp gave it;
    // the lower one's light, which it receives now, counts as absorbed.
    EXPECT_GT(early.largestChange, 10);
    EXPECT_GT(Of(early, upper).absorbed, 0.2 * Of(early, upper).received);
    // The field is what the mirrors send, however far from the balance:
    // every bit of it is still accounted for.
    EXPECT_NEAR(early.imbalance, 0, 2);

    settings.maximaleiterationen = 200;
    settings.abbruchgenauigkeit = 0.1f;
    Compute();
    const EnergyBalance balanced = BalanceOf(list, settings);
    EXPECT_LT(balanced.largestChange, 1);
    EXPECT_NEAR(Of(balanced, upper).absorbed, 0.1 * Of(balanced, upper).received, 0.01 * Of(balanced, upper).received);
    EXPECT_NEAR(balanced.imbalance, 0, 2);
}

}  // namespace
