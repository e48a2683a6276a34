#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "model/ParallelFor.h"

namespace {

TEST(ParallelForTest, VisitsEveryIndexOnceAndPassesOnAFailure) {
    std::vector<int> visits(1000, 0);
    ParallelFor(1000, [&](int64_t i) { ++visits[static_cast<size_t>(i)]; });
    EXPECT_EQ(std::count(visits.begin(), visits.end(), 1), 1000);
    ParallelFor(0, [](int64_t) { FAIL() << "nothing to do"; });
    EXPECT_THROW(ParallelFor(100,
                             [](int64_t i) {
                                 if (i == 42) throw std::runtime_error("element 42");
                             }),
                 std::runtime_error);
}

TEST(ParallelForTest, RunsOnTheChosenNumberOfThreads) {
    for (const int chosen : {1, 3}) {
        SetThreadCount(chosen);
        EXPECT_EQ(ThreadCount(), chosen);
        std::set<std::thread::id> threads;
        std::mutex lock;
        ParallelFor(64, [&](int64_t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::lock_guard<std::mutex> guard(lock);
            threads.insert(std::this_thread::get_id());
        });
        EXPECT_LE(threads.size(), static_cast<size_t>(chosen));
    }
    SetThreadCount(0);
    EXPECT_GE(ThreadCount(), 1);
}

}  // namespace
