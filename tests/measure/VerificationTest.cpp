// The verification scenes: the computation meets their exact answers within
// the tolerances at coarse and fine resolutions.
#include <gtest/gtest.h>

#include "measure/Verification.h"

namespace {

TEST(Verification, EveryCaseHoldsItsToleranceAtCoarseDefaultAndFineResolution) {
    for (const int32_t sellaenge : {3, 5, 10})
        for (const VerificationCase& c : Verify(sellaenge, 102)) {
            EXPECT_TRUE(c.Passed()) << c.name << " at sellaenge " << sellaenge << ": " << c.difference << " % against "
                                    << c.tolerance << " %";
            // No tolerance so wide that it would hide a wrong law.
            EXPECT_GT(c.tolerance, 0) << c.name;
            EXPECT_LT(c.tolerance, 1) << c.name;
            const double percent = c.exact == 0 ? c.difference : (c.computed - c.exact) / c.exact * 100;
            EXPECT_NEAR(c.difference, percent, 1e-9) << c.name;
        }
}

}  // namespace
