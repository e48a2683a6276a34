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

namespace brevanto::model {

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

// What the threads of a loop over [0, count) share: the next index to take,
// the indices done, and the first failure.
class LoopState {
public:
    // `notifyEach`: the calling thread waits for each index in turn, not
    // only for the last.
    LoopState(int64_t count, bool notifyEach);

    // A thread's part of the loop: body(i) for the next index taken until
    // none is left; a failure leaves the rest untaken.
    template <class Body>
    void Work(Body& body) {
        try {
            for (int64_t i = next++; i < count; i = next++) {
                body(i);
                Done(i);
            }
        } catch (...) {
            Fail(std::current_exception());
        }
    }
    // Wait until body(i), or every body, has finished, checking `stop` on
    // the way; false on a failure.
    bool WaitFor(int64_t i, const StopCheck& stop);
    bool WaitForAll(const StopCheck& stop);
    // Keeps the first failure and leaves the indices not taken yet.
    void Fail(std::exception_ptr thrown);
    // Once every thread has returned: the first failure, if there was one.
    void RethrowFailure() const;

private:
    void Done(int64_t i);
    template <class Ready>
    bool WaitUntil(Ready ready, const StopCheck& stop);

    const int64_t count;
    const bool notifyEach;
    std::atomic<int64_t> next{0};
    std::vector<char> done;
    int64_t finishedCount = 0;
    std::exception_ptr failure;
    std::mutex lock;
    std::condition_variable finished;
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
    LoopState loop(count, kInOrder);
    if (stop) stop();  // also when every wait is short
    std::optional<Helpers> helpers(std::in_place, std::min(threads, count), [&] { loop.Work(body); });
    try {
        if constexpr (kInOrder) {
            for (int64_t i = 0; i < count; ++i) {
                if (!loop.WaitFor(i, stop)) break;
                inOrder(i);
                if (stop) stop();
            }
        } else {
            loop.WaitForAll(stop);
        }
    } catch (...) {
        loop.Fail(std::current_exception());
    }
    helpers.reset();
    loop.RethrowFailure();
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

}  // namespace brevanto::model
