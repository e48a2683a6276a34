// SPDX-License-Identifier: GPL-3.0-or-later
// The verification scenes: the computation meets their exact answers within
// the tolerances at coarse and fine resolutions, on any number of threads.
#include <gtest/gtest.h>

#include <algorithm>

#include "measure/Verification.h"
#include "model/ParallelFor.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::measure;

namespace {

TEST(Verification, EveryCaseHoldsItsToleranceAtCoarseDefaultAndFineResolution) {
    for (const int32_t sellaenge : {3, 5, 10})
        for (const VerificationCase& c : Verify(sellaenge, 102)) {
            EXPECT_TRUE(c.Passed()) << c.name << " at sellaenge " << sellaenge << ": " << c.difference << " % against "
                                    << c.tolerance << " %";
            // No tolerance so wide that it would hide a wrong law. The
            // elements' errors grow as the square of their length: below 1 %
            // up to the default length, four times that at twice it.
            EXPECT_GT(c.tolerance, 0) << c.name;
            EXPECT_LT(c.tolerance, std::max(1.0, sellaenge * sellaenge / 25.0)) << c.name << " at " << sellaenge;
        }
}

TEST(Verification, GivesTheSameNumbersOnOneAndOnFourThreads) {
    SetThreadCount(1);
    const std::vector<VerificationCase> one = Verify(5, 102);
    SetThreadCount(4);
    const std::vector<VerificationCase> four = Verify(5, 102);
    SetThreadCount(0);
    ASSERT_EQ(one.size(), four.size());
    for (size_t i = 0; i < one.size(); ++i) EXPECT_EQ(one[i].computed, four[i].computed) << one[i].name;
}

}  // namespace
