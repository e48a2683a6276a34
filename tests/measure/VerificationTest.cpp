// The verification scenes: their exact answers, and that the computation
// meets them within the tolerances at coarse and fine resolutions.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "measure/Verification.h"

namespace {

TEST(Verification, TheExactAnswersAreTheClosedForms) {
    std::map<std::string, double> exact;
    for (const VerificationCase& c : Verify(5, 102)) exact[c.name] = c.exact;
    const std::map<std::string, double> expected{
        {"frame-energy-density", kPi},                         // pi S
        {"frame-flow-density", 0},                             // symmetric
        {"emitter-flow-density", std::sqrt(0.5)},              // S sin 45 degrees
        {"emitter-energy-density", kPi / 4},                   // S * 45 degrees
        {"strips-exchanged-power", std::sqrt(50000.0) - 100},  // S w (sqrt(w^2 + d^2) - d) / w, w = 200, d = 100
        {"circle-flow-density", 1.0 / 3},                      // S R / rho, R = 50, rho = 150
    };
    ASSERT_EQ(exact.size(), expected.size());
    for (const auto& [name, value] : expected) EXPECT_NEAR(exact.at(name), value, 1e-12) << name;
}

TEST(Verification, EveryCaseHoldsItsToleranceAtCoarseDefaultAndFineResolution) {
    for (const int32_t sellaenge : {3, 5, 10})
        for (const VerificationCase& c : Verify(sellaenge, 102)) {
            EXPECT_TRUE(c.Passed()) << c.name << " at sellaenge " << sellaenge << ": " << c.difference << " % against "
                                    << c.tolerance << " %";
            EXPECT_GT(c.tolerance, 0) << c.name;
            // No tolerance so wide that it would hide a wrong law.
            EXPECT_LT(c.tolerance, 1) << c.name;
        }
}

TEST(Verification, TheDifferenceIsInPercentOfTheExactValue) {
    for (const VerificationCase& c : Verify(10, 102)) {
        if (c.exact == 0) continue;
        EXPECT_NEAR(c.difference, (c.computed - c.exact) / c.exact * 100, 1e-9) << c.name;
    }
}

TEST(Verification, ToleranceGrowsWithTheElementLength) {
    const std::vector<VerificationCase> fine = Verify(3, 102), coarse = Verify(10, 102);
    ASSERT_EQ(fine.size(), coarse.size());
    for (size_t i = 0; i < fine.size(); ++i) EXPECT_LE(fine[i].tolerance, coarse[i].tolerance) << fine[i].name;
}

}  // namespace
