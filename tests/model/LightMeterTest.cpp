// SPDX-License-Identifier: GPL-3.0-or-later
// The light meter's directions and sectors, on a scene whose light is given
// by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "model/LightMeter.h"
#include "model/Numbers.h"
#include "model/SceneList.h"

using namespace brevanto;
using namespace brevanto::model;

namespace {

// Sends the same vectors to every point; as one sum when asked for its flow
// density, one by one when asked for its contributions.
class FixedLight : public Tszeneobjekt {
public:
    explicit FixedLight(std::vector<FlowVector> arriving) : vectors(std::move(arriving)) {}

    bool FlowDensityAt(int32_t, int32_t, const SceneList&, float& fx, float& fy, int32_t) const override {
        fx = fy = 0;
        for (const FlowVector& v : vectors) {
            fx += v.fx;
            fy += v.fy;
        }
        return fx != 0 || fy != 0;
    }
    void FlowContributionsAt(int32_t, int32_t, const SceneList&, int32_t, FlowVectorList& result) const override {
        for (const FlowVector& v : vectors) result.Prepend(v);
    }

    std::vector<FlowVector> vectors;
};

TEST(LightMeter, DirectionsCountCounterClockwiseWithYUpIntoTenDegreeSectors) {
    struct Case {
        const char* name;
        double fx, fy;  // window coordinates, y downward
        double degrees;
        int sector;
    };
    const Case cases[] = {
        {"up the screen", 0, -1, 90, 9},
        {"just below +x", 1, 1e-3, 360 - 0.0572958, 35},
        // Regression guard: -1e-20 degrees plus 360 rounds to 360, which
        // would be sector 36, one past the last.
        {"a hair below +x", 1, 1e-20, 0, 0},
    };
    for (const Case& c : cases) {
        const double degrees = TravelDirection(c.fx, c.fy);
        EXPECT_NEAR(degrees, c.degrees, 1e-6) << c.name;  // well below a sector's 10 degrees
        EXPECT_GE(degrees, 0) << c.name;
        EXPECT_LT(degrees, 360) << c.name;
        EXPECT_EQ(DirectionSector(degrees), c.sector) << c.name;
    }
    EXPECT_EQ(DirectionSector(10), 1);
    EXPECT_EQ(DirectionSector(359.999999), 35);
    // Directedness |F| / E: none without light, never above one after the rounding of the two sums.
    EXPECT_DOUBLE_EQ(Directedness(0, 0), 0);
    EXPECT_DOUBLE_EQ(Directedness(1.0000001, 1), 1);
}

TEST(LightMeter, ContributionsGoToTheSectorsTheyTravelInAndAddUpToFAndE) {
    SceneList list(std::make_unique<FixedLight>(std::vector<FlowVector>{{3, 0}, {0, -4}}));
    list.Append(std::make_unique<FixedLight>(std::vector<FlowVector>{{-1, 0}, {-1, 0}, {0, 2}}));
    list.CleanAndNumber();
    const platform::Measurement m = MeasureLight(list, 10, 20);
    EXPECT_DOUBLE_EQ(m.fx, 1);
    EXPECT_DOUBLE_EQ(m.fy, -2);
    EXPECT_DOUBLE_EQ(m.magnitude, std::sqrt(5.0));
    EXPECT_NEAR(m.direction, std::atan2(2, 1) * 180 / kPi, 1e-9);
    EXPECT_DOUBLE_EQ(m.energy, 3 + 4 + 1 + 1 + 2);
    EXPECT_DOUBLE_EQ(m.directedness, std::sqrt(5.0) / 11);
    std::map<size_t, double> lit;
    for (size_t k = 0; k < m.sectors.size(); ++k)
        if (m.sectors[k].energy != 0) lit[k] = m.sectors[k].energy;
    EXPECT_EQ(lit, (std::map<size_t, double>{{0, 3}, {9, 4}, {18, 2}, {27, 2}}));
    EXPECT_EQ(m.sectors[18].fx, -2) << "two vectors along -x";
}

}  // namespace
