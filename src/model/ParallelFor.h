// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

#include "model/StopCheck.h"

// How many threads ParallelFor runs on: the value of SetThreadCount when one
// was set, else the environment variable BREVANTO_THREADS when it holds a
// whole number of at least 1, else one per processor core.
int ThreadCount();
// 0 returns to the environment's or the machine's count.
void SetThreadCount(int threads);

namespace parallel_detail {

// The threads that run a loop's work: taken from a pool of threads that
// stay alive between loops, so that a short loop does not pay for starting
// threads. While the pool serves another loop (a loop started inside
// another's body or stop check), new threads are started instead.
class Helpers {
public:
    // Runs `work` on `count` threads.
    Helpers(int64_t count, std::function<void()> work);
    // Waits until every thread has returned from `work`.
    ~Helpers();
    Helpers(const Helpers&) = delete;
    Helpers& operator=(const Helpers&) = delete;

private:
    std::function<void()> work;
    bool pooled;
    std::vector<std::thread> own;
};

struct NothingInOrder {
    void operator()(int64_t) const {}
};

// Both loops below. The calling thread computes nothing when other threads
// run: it waits, checks `stop` and uses the results in order.
template <class Body, class InOrder>
void Run(int64_t count, Body&& body, InOrder&& inOrder, const StopCheck& stop) {
    constexpr bool kInOrder = !std::is_same_v<std::decay_t<InOrder>, NothingInOrder>;
    const auto threads = static_cast<int64_t>(ThreadCount());
    if (count <= 1 || threads == 1) {
        for (int64_t i = 0; i < count; ++i) {
            if (stop) stop();
            body(i);
            inOrder(i);
        }
        return;
    }
    std::atomic<int64_t> next{0};
    std::vector<char> done(static_cast<size_t>(count), 0);
    int64_t finishedCount = 0;
    std::exception_ptr failure;
    std::mutex lock;
    std::condition_variable finished;
    auto work = [&] {
        try {
            for (int64_t i = next++; i < count; i = next++) {
                body(i);
                std::lock_guard<std::mutex> guard(lock);
                done[static_cast<size_t>(i)] = 1;
                if (++finishedCount == count || kInOrder) finished.notify_all();
            }
        } catch (...) {
            std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
            next = count;
            finished.notify_all();
        }
    };
    // Waits until ready() or a failure, checking `stop` on the way; false
    // on a failure.
    auto waitUntil = [&](auto ready) {
        std::unique_lock<std::mutex> guard(lock);
        auto checked = std::chrono::steady_clock::now();
        while (!ready() && !failure) {
            if (!stop) {
                finished.wait(guard);
                continue;
            }
            finished.wait_until(guard, checked + kStopCheckInterval);
            if (std::chrono::steady_clock::now() - checked >= kStopCheckInterval) {
                guard.unlock();
                stop();
                guard.lock();
                checked = std::chrono::steady_clock::now();
            }
        }
        return !failure;
    };
    if (stop) stop();  // also when every wait is short
    std::optional<Helpers> helpers(std::in_place, std::min(threads, count), work);
    try {
        if constexpr (kInOrder) {
            for (int64_t i = 0; i < count; ++i) {
                if (!waitUntil([&] { return done[static_cast<size_t>(i)] != 0; })) break;
                inOrder(i);
                if (stop) stop();
            }
        } else {
            waitUntil([&] { return finishedCount == count; });
        }
    } catch (...) {
        std::lock_guard<std::mutex> guard(lock);
        if (!failure) failure = std::current_exception();
        next = count;
    }
    helpers.reset();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace parallel_detail

// Runs body(i) for every i in [0, count) on ThreadCount() threads. The bodies
// must be independent of each other (each writes only its own results, and
// reads only prepared, unchanging data), so the results do not depend on the
// number of threads or on their timing. The first exception a body or `stop`
// throws is passed on once all threads have stopped; bodies already begun
// finish first.
template <class Body>
void ParallelFor(int64_t count, Body&& body, const StopCheck& stop = {}) {
    parallel_detail::Run(count, body, parallel_detail::NothingInOrder{}, stop);
}

// Runs body(i) for every i in [0, count) on ThreadCount() threads, and
// inOrder(i) on the calling thread for i = 0, 1, 2, ..., each as soon as
// body(0) ... body(i) have finished: the results are used in order while
// later ones are still being computed. The bodies follow the rules of
// ParallelFor; inOrder may use whatever belongs to the calling thread (a
// window, say). On one thread: body(0), inOrder(0), body(1), ...
template <class Body, class InOrder>
void ParallelForInOrder(int64_t count, Body&& body, InOrder&& inOrder, const StopCheck& stop = {}) {
    parallel_detail::Run(count, body, inOrder, stop);
}
