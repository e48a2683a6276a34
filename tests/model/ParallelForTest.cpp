// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "model/ParallelFor.h"

using namespace brevanto;
using namespace brevanto::model;

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

// With more threads chosen the work really spreads: each step waits until a
// second thread has joined, which a loop that fell back to one thread would
// never see. With one chosen, one thread does everything.
TEST(ParallelForTest, RunsOnTheChosenNumberOfThreads) {
    for (const int chosen : {1, 3}) {
        SetThreadCount(chosen);
        EXPECT_EQ(ThreadCount(), chosen);
        std::set<std::thread::id> threads;
        std::mutex lock;
        std::condition_variable joined;
        bool waitedInVain = false;
        ParallelFor(64, [&](int64_t) {
            std::unique_lock<std::mutex> guard(lock);
            threads.insert(std::this_thread::get_id());
            joined.notify_all();
            if (chosen > 1 && !waitedInVain &&
                !joined.wait_for(guard, std::chrono::seconds(10), [&] { return threads.size() >= 2; }))
                waitedInVain = true;
        });
        EXPECT_LE(threads.size(), static_cast<size_t>(chosen));
        if (chosen > 1) {
            EXPECT_GE(threads.size(), 2u);
            EXPECT_FALSE(waitedInVain) << "the work stayed on one thread";
        }
    }
    SetThreadCount(0);
    EXPECT_GE(ThreadCount(), 1);
}

TEST(ParallelForTest, InOrderUsesEachResultInOrderOnTheCallingThread) {
    for (const int chosen : {1, 4}) {
        SetThreadCount(chosen);
        std::vector<int> results(200, 0);
        std::vector<int> used;
        const auto caller = std::this_thread::get_id();
        ParallelForInOrder(
            200,
            [&](int64_t i) {
                if (i % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
                results[static_cast<size_t>(i)] = static_cast<int>(i) + 1;
            },
            [&](int64_t i) {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                for (int64_t k = 0; k <= i; ++k) EXPECT_EQ(results[static_cast<size_t>(k)], k + 1);
                used.push_back(static_cast<int>(i));
            });
        ASSERT_EQ(used.size(), 200u);
        for (size_t i = 0; i < used.size(); ++i) EXPECT_EQ(used[i], static_cast<int>(i));
        EXPECT_THROW(ParallelForInOrder(
                         50,
                         [](int64_t i) {
                             if (i == 30) throw std::runtime_error("line 30");
                         },
                         [](int64_t) {}),
                     std::runtime_error);
    }
    SetThreadCount(0);
}

TEST(ParallelForTest, StopCheckIsAskedOnTheCallingThreadAndEndsTheLoop) {
    struct StopAsked {};
    for (const int chosen : {1, 3}) {
        SetThreadCount(chosen);
        const auto caller = std::this_thread::get_id();
        // Asked while long items run, not only between them.
        int asked = 0;
        ParallelFor(
            chosen, [](int64_t) { std::this_thread::sleep_for(std::chrono::milliseconds(150)); },
            [&] {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                ++asked;
            });
        EXPECT_GE(asked, chosen == 1 ? 1 : 3);
        asked = 0;  // and by loops shorter than one interval
        ParallelFor(
            chosen, [](int64_t) {}, [&] { ++asked; });
        EXPECT_GE(asked, 1);

        std::atomic<int> run{0};
        EXPECT_THROW(ParallelForInOrder(
                         1000,
                         [&](int64_t) {
                             std::this_thread::sleep_for(std::chrono::milliseconds(1));
                             ++run;
                         },
                         [](int64_t) {},
                         [&] {
                             if (run > 10) throw StopAsked();
                         }),
                     StopAsked);
        EXPECT_LT(run, 500);
    }
    SetThreadCount(0);
}

// The threads are kept between loops; a loop inside another loop's body, or
// loops started from several threads at once, must still finish.
TEST(ParallelForTest, NestedAndSimultaneousLoopsFinish) {
    SetThreadCount(3);
    std::atomic<int> visits{0};
    ParallelFor(6, [&](int64_t) { ParallelFor(10, [&](int64_t) { ++visits; }); });
    EXPECT_EQ(visits, 60);
    visits = 0;
    std::vector<std::thread> callers;
    for (int c = 0; c < 4; ++c)
        callers.emplace_back([&] {
            for (int k = 0; k < 50; ++k) ParallelFor(8, [&](int64_t) { ++visits; });
        });
    for (std::thread& caller : callers) caller.join();
    EXPECT_EQ(visits, 4 * 50 * 8);
    SetThreadCount(0);
}

}  // namespace
