#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "model/ParallelFor.h"

namespace {

TEST(ParallelForTest, VisitsEveryIndexOnceAndPassesOnAFailure) {
    std::vector<int> visits(1000, 0);
    ParallelFor(1000, [&](int64_t i) { ++visits[static_cast<size_t>(i)]; });
    EXPECT_EQ(std::count(visits.begin(), visits.end(), 1), 1000);
    ParallelFor(0, [](int64_t) { FAIL() << "nothing to do"; });
    EXPECT_THROW(ParallelFor(100, [](int64_t i) {
                     if (i == 42) throw std::runtime_error("element 42");
                 }),
                 std::runtime_error);
}

}  // namespace
