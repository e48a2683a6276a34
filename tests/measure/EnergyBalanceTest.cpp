// SPDX-License-Identifier: GPL-3.0-or-later
// The energy balance: what each kind emits, what surfaces receive, what
// mirrors send, and that the power of a closed scene is accounted for.
#include <sys/resource.h>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

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

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::measure;

namespace {

class EnergyBalanceTest : public SceneTest {
protected:
    const ObjectBalance& Of(const EnergyBalance& balance, const Tszeneobjekt& object) {
        return balance.objects.at(static_cast<size_t>(object.number - 1));
    }
    // Not of a balance that ends with the expression.
    const ObjectBalance& Of(EnergyBalance&& balance, const Tszeneobjekt& object) = delete;

    // A lamp of strength 1 in the picture, for the surfaces beyond it.
    void AddLamp() { Add<TObjektLambert>(400, 250, 400, 350).staerke = 1; }
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

// Every kind of the registry alone in a frame that glows (so every surface
// receives), with strength and coefficients where its dialog has them: the
// power of each scene is accounted for, so a kind that emits must tell what
// it emits, a surface what it receives and a mirror what it sends on.
TEST_F(EnergyBalanceTest, EveryKindOfTheRegistryKeepsTheBalanceClosed) {
    for (const KindEntry& kind : Kinds()) {
        list.Clear(NewBackground());
        static_cast<TObjektHintergrund&>(list.Head()).staerke = 0.5f;
        // A segment across the picture, a circle of radius 200 in its middle.
        std::unique_ptr<Tszeneobjekt> object =
            kind.placement == Placement::Circular ? kind.create(400, 300, 600, 300) : kind.create(100, 300, 700, 300);
        Answer([](platform::DialogSpec& dialog) {
            for (platform::Control& control : dialog.controls)
                for (const auto& [id, text] :
                     {std::pair{"staerke", "2"}, std::pair{"richtung", "30"}, std::pair{"dirref", "20"},
                      std::pair{"difref", "20"}, std::pair{"dirtrans", "20"}, std::pair{"diftrans", "20"}})
                    if (control.id == id) control.text = text;
            return platform::ModalResult::OK;
        });
        ASSERT_TRUE(object->Edit(Context())) << kind.keyword;
        list.Append(std::move(object));
        Compute();
        const EnergyBalance balance = BalanceOf(list, settings);
        const double accounted = balance.absorbed + balance.leaving;
        EXPECT_NEAR(balance.emitted, accounted, 0.02 * accounted) << kind.keyword;
    }
}

// Emitters and absorbers and a 30 % diffuse reflector inside a dark frame:
// every bit of light ends in an absorber (an emitter absorbs too), in the
// reflector or leaves through the frame.
TEST_F(EnergyBalanceTest, TheBalanceOfAClosedSceneCloses) {
    Add<TObjektLambert>(300, 250, 450, 300).staerke = 10;
    Add<TObjektParallel>(100, 500, 200, 500).staerke = 5;
    Add<TObjektLambertKreis>(200, 300, 230, 300).staerke = 4;
    Add<TObjektAbsorber>(150, 120, 150, 380);
    Add<TObjektAbsorberKreis>(600, 300, 650, 300);
    auto& reflector = Add<TObjektSpiegel>(200, 100, 600, 100);
    reflector.difref = 30;
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    double emitted = 0, absorbed = 0;
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
}

// Regression test: the frame's light reached points outside the picture, so
// parts of objects beyond the frame received light, and emitters counted
// what their parts out there emit although the frame blocks it. The world
// ends at the frame: such a scene closes like any other.
TEST_F(EnergyBalanceTest, PartsBeyondTheFrameNeitherReceiveNorEmit) {
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    Add<TObjektAbsorber>(100, 300, 1500, 300);
    Add<TObjektAbsorberKreis>(790, 100, 830, 100);
    auto& lamp = Add<TObjektLambert>(-200, 500, 400, 500);
    lamp.staerke = 2;
    auto& mirror = Add<TObjektSpiegel>(700, 450, 1000, 450);
    mirror.difref = 50;
    Compute();
    const EnergyBalance balance = BalanceOf(list, settings);
    EXPECT_NEAR(Of(balance, lamp).emitted, 2 * 2 * 400.0, 1e-3) << "only the part inside the picture";
    EXPECT_NEAR(balance.imbalance, 0, 2);
    float fx = 0, fy = 0;
    EXPECT_FALSE(list.Head().FlowDensityAt(850, 200, list, fx, fy, 0)) << "no light outside the picture";
}

// Regression test: a ring of radius 3 or less gathered its inner face's light
// 3 pixels in, at or beyond its centre, where nothing arrives at that face: a
// lossless ring swallowed half of the light it received (diffuse) or all of
// it (direct transmission). Radius 4 shows the ring as it always was.
TEST_F(EnergyBalanceTest, LosslessSmallRingsAbsorbNothing) {
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 10;
    sun.richtung = 30;
    auto& ring = Add<TObjektSpiegelKreis>(400, 300, 401, 300);
    settings.abbruchgenauigkeit = 0.01f;
    struct Case {
        const char* name;
        float difref, dirtrans, diftrans;
    };
    for (const Case& c : {Case{"diffuse reflection", 100, 0, 0}, Case{"direct transmission", 0, 100, 0},
                          Case{"diffuse transmission", 0, 0, 100}})
        for (const int32_t radius : {1, 2, 3, 4})
            for (const int32_t centre : {400, 401}) {  // probes rounding either way
                ring.xmitte = centre;
                ring.ymitte = centre - 100;
                ring.radius = radius;
                ring.difref = c.difref;
                ring.dirtrans = c.dirtrans;
                ring.diftrans = c.diftrans;
                ring.Elements().FreeElements();
                Compute();
                const EnergyBalance whole = BalanceOf(list, settings);
                const ObjectBalance& balance = Of(whole, ring);
                ASSERT_GT(balance.received, 10 * radius) << c.name << ", radius " << radius << " at " << centre;
                // As the closed scene's reflector: what is sent matches what is
                // received to the stop criterion, well within 1e-3.
                EXPECT_NEAR(balance.absorbed, 0, 1e-3 * balance.received)
                    << c.name << ", radius " << radius << " at " << centre;
            }
}

// Regression test: the balance counted power at every element of a surface,
// also far beyond the frame where nothing arrives: an emitter reaching to
// x = 2^31 - 1 had 2^31 probes (2.7 GB, then std::bad_alloc), an absorber
// 10^8 pixels long 2 * 10^7 (1 GB, 15 s), and a circular absorber of radius
// 4 * 10^6 was cut whole into 2.5 * 10^7 elements. Only probes inside the
// picture count now: each costs what its part there costs, and the scene
// balances as one within the picture would.
TEST_F(EnergyBalanceTest, SurfacesFarBeyondThePictureCountOnlyTheirPartInside) {
    settings.sellaenge = 1;
    struct Case {
        const char* name;
        std::function<void()> add;
        double lampEmits;
    };
    const Case cases[] = {
        {"lamp to 2^31 - 1", [this] { Add<TObjektLambert>(100, 300, 2147483647, 300).staerke = 1; }, 2 * 700.0},
        {"absorber of 10^8 pixels",
         [this] {
             AddLamp();
             Add<TObjektAbsorber>(-50'000'000, 400, 50'000'000, 400);
         },
         2 * 100.0},
        // Its top, at y = 450, crosses the picture nearly straight.
        {"circular absorber of radius 4 * 10^6",
         [this] {
             AddLamp();
             Add<TObjektAbsorberKreis>(400, 4'000'450, 400, 450);
         },
         2 * 100.0},
    };
    // Gigabytes before the probes were bounded; a sanitizer's shadow memory
    // adds to what the bounded ones take.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr long kMostKilobytes = 400'000;
#else
    constexpr long kMostKilobytes = 50'000;
#endif
    for (const Case& c : cases) {
        list.Clear(NewBackground());
        c.add();
        Compute();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const EnergyBalance balance = BalanceOf(list, settings);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, kMostKilobytes) << c.name << ", kB";
        // The frame's 2 * 1400 probes and some for each surface inside.
        EXPECT_LT(BalanceWork(list, settings) / (list.QueryWork(settings) + 3), 10'000) << c.name;
        EXPECT_NEAR(balance.objects.at(1).emitted, c.lampEmits, 1e-3) << c.name;
        if (balance.objects.size() > 2) {
            EXPECT_GT(balance.objects[2].absorbed, 0.05 * c.lampEmits) << c.name;
        }
        // As the closed scene: the midpoint rule's error stays well below 2 %.
        EXPECT_NEAR(balance.imbalance, 0, 2) << c.name;
    }
}

// The balance asks its stop check between objects and between the probes
// of each, so a long one ends soon after it is told to.
TEST_F(EnergyBalanceTest, AStopCheckEndsTheBalanceBetweenItsProbes) {
    SetThreadCount(1);
    Add<TObjektLambert>(400, 250, 400, 350).staerke = 1;
    Add<TObjektAbsorber>(100, 400, 700, 400);
    Compute();
    int asked = 0;
    const StopCheck stopAfterTen = [&] {
        if (++asked == 10) throw std::runtime_error("stopped");
    };
    EXPECT_THROW(BalanceOf(list, settings, stopAfterTen), std::runtime_error);
    EXPECT_EQ(asked, 10) << "nothing asked after the stop";
    asked = 0;
    const StopCheck count = [&] { ++asked; };
    BalanceOf(list, settings, count);
    EXPECT_GT(asked, 2 * (800 + 600) / settings.sellaenge) << "once per probe on one thread, the frame's alone";
}

}  // namespace
