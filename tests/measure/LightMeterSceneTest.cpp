// The light meter over the real object kinds.
#include <cmath>

#include "SceneFixture.h"
#include "model/LightMeter.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"

namespace {

using LightMeterSceneTest = SceneTest;

// The sectors are filled from the individual contributions, F and E from the
// sums the arrows and the circles show: they must tell the same story.
TEST_F(LightMeterSceneTest, SectorsAddUpToEAndTheirVectorsToFWithAnEmitterAMirrorAndTheSun) {
    Add<TObjektLambert>(200, 450, 400, 400).staerke = 10;
    auto& mirror = Add<TObjektSpiegel>(450, 150, 650, 250);
    mirror.dirref = 40;
    mirror.difref = 30;
    mirror.diftrans = 10;
    auto& sun = Add<TObjektSonne>();
    sun.staerke = 3;
    sun.richtung = 30;
    Compute();
    for (const auto& [x, y] : {std::pair{300, 300}, {550, 350}, {500, 100}, {120, 520}}) {
        const platform::Measurement m = MeasureLight(list, x, y);
        Extended energy = 0, fx = 0, fy = 0;
        int lit = 0;
        for (const platform::Measurement::Sector& sector : m.sectors) {
            energy += sector.energy;
            fx += sector.fx;
            fy += sector.fy;
            lit += sector.energy > 0;
        }
        EXPECT_GE(lit, 3) << "light from the emitter, the mirror and the sun at " << x << "," << y;
        // E and F are summed as 32-bit floats over some hundred vectors, the
        // sectors in double: they agree to a few parts in a million of E.
        const Extended tolerance = 1e-5 * m.energy;
        EXPECT_NEAR(energy, m.energy, tolerance) << x << "," << y;
        EXPECT_NEAR(fx, m.fx, tolerance) << x << "," << y;
        EXPECT_NEAR(fy, m.fy, tolerance) << x << "," << y;
        EXPECT_LE(m.magnitude, m.energy * (1 + 1e-6));
    }
}

}  // namespace
