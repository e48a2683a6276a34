// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring lines against what is known in closed form: the power of a beam
// crossing a line, what a Lambert-like emitter sends through a closed
// contour, and light from all sides inside a glowing frame.
#include <cmath>

#include "SceneFixture.h"
#include "measure/LineReading.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::measure;

namespace {

class MeasuringLineTest : public SceneTest {
protected:
    LineReading Measure(MeasuringLine line) {
        return MeasureAlong(list, line, [] {});
    }
};

// A beam of 10 leaving the emitter upwards crosses a line above it from its
// right to its left: S L |cos| of the angle between them, whatever the angle.
TEST_F(MeasuringLineTest, BeamCrossingALineBringsStrengthTimesLengthTimesCosine) {
    Add<TObjektParallel>(100, 300, 300, 300).staerke = 10;
    const LineReading level = Measure({150, 200, 250, 200, 20});
    EXPECT_DOUBLE_EQ(level.powerPlus, 0);
    EXPECT_NEAR(level.powerMinus, 10 * 100, 1e-3);
    ASSERT_EQ(level.samples.size(), 20u);
    EXPECT_DOUBLE_EQ(level.samples[0].along, 2.5);
    EXPECT_NEAR(level.samples[0].minus, 10, 1e-6);
    EXPECT_NEAR(level.samples[0].energy, 10, 1e-6);

    const LineReading slanted = Measure({150, 250, 250, 150, 40});  // 45 degrees, 141 long
    EXPECT_NEAR(slanted.powerMinus, 10 * std::hypot(100.0, 100.0) * std::cos(kPi / 4), 1e-3);
    const LineReading reversed = Measure({250, 200, 150, 200, 20});
    EXPECT_NEAR(reversed.powerPlus, 10 * 100, 1e-3) << "the other direction swaps the sides";
    EXPECT_TRUE(Measure({150, 200, 150, 200, 5}).samples.empty()) << "no length";
}

// Walking clockwise on the screen the inside lies to the right, so what
// leaves the square crosses each side from right to left: its sum is all the
// emitter sends out of both faces, 2 S L.
TEST_F(MeasuringLineTest, ClosedSquareAroundALambertEmitterCatchesAllItEmits) {
    Add<TObjektLambert>(350, 300, 450, 300).staerke = 2;
    double leaving = 0, entering = 0;
    for (const MeasuringLine& side : {MeasuringLine{200, 150, 600, 150, 400}, MeasuringLine{600, 150, 600, 450, 300},
                                      MeasuringLine{600, 450, 200, 450, 400}, MeasuringLine{200, 450, 200, 150, 300}}) {
        const LineReading reading = Measure(side);
        leaving += reading.powerMinus;
        entering += reading.powerPlus;
    }
    EXPECT_NEAR(leaving, 2 * 2 * 100, 2 * 2 * 100 * 0.02);
    EXPECT_DOUBLE_EQ(entering, 0);
}

// Inside a frame that glows alike all round, as much light crosses a line in
// the middle from each side.
TEST_F(MeasuringLineTest, InsideAGlowingFrameBothSidesGetTheSame) {
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    list.PrepareQueries(settings);
    const LineReading reading = Measure({300, 300, 500, 300, 10});
    for (const LineSample& sample : reading.samples) {
        EXPECT_GT(sample.plus, 0);
        EXPECT_NEAR(sample.plus, sample.minus, sample.plus * 0.02) << sample.along;
    }
}

}  // namespace
