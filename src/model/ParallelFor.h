#pragma once
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// How many threads ParallelFor runs on: the value of SetThreadCount when one
// was set, else the environment variable BREVANTO_THREADS when it holds a
// whole number of at least 1, else one per processor core.
int ThreadCount();
// 0 returns to the environment's or the machine's count.
void SetThreadCount(int threads);

// Runs body(i) for every i in [0, count) on ThreadCount() threads. The bodies
// must be independent of each other (each writes only its own results, and
// reads only prepared, unchanging data), so the results do not depend on the
// number of threads or on their timing. The first exception a body throws is
// passed on once all threads have stopped.
template <class Body>
void ParallelFor(int64_t count, Body&& body) {
    const auto threads = static_cast<int64_t>(ThreadCount());
    if (count <= 1 || threads == 1) {
        for (int64_t i = 0; i < count; ++i) body(i);
        return;
    }
    std::atomic<int64_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&] {
        try {
            for (int64_t i = next++; i < count; i = next++) body(i);
        } catch (...) {
            std::lock_guard<std::mutex> guard(failureLock);
            if (!failure) failure = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> helpers;
    for (int64_t t = 1; t < std::min(threads, count); ++t) helpers.emplace_back(work);
    work();
    for (auto& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

// Runs body(i) for every i in [0, count) on ThreadCount() threads, and
// inOrder(i) on the calling thread for i = 0, 1, 2, ..., each as soon as
// body(0) ... body(i) have finished: the results are used in order while
// later ones are still being computed. The bodies follow the rules of
// ParallelFor; inOrder may use whatever belongs to the calling thread (a
// window, say). On one thread: body(0), inOrder(0), body(1), ...
template <class Body, class InOrder>
void ParallelForInOrder(int64_t count, Body&& body, InOrder&& inOrder) {
    const auto threads = static_cast<int64_t>(ThreadCount());
    if (count <= 1 || threads == 1) {
        for (int64_t i = 0; i < count; ++i) {
            body(i);
            inOrder(i);
        }
        return;
    }
    std::atomic<int64_t> next{0};
    std::vector<char> done(static_cast<size_t>(count), 0);
    std::exception_ptr failure;
    std::mutex lock;
    std::condition_variable finished;
    auto work = [&] {
        try {
            for (int64_t i = next++; i < count; i = next++) {
                body(i);
                std::lock_guard<std::mutex> guard(lock);
                done[static_cast<size_t>(i)] = 1;
                finished.notify_all();
            }
        } catch (...) {
            std::lock_guard<std::mutex> guard(lock);
            if (!failure) failure = std::current_exception();
            next = count;
            finished.notify_all();
        }
    };
    // The calling thread mostly waits: all `threads` compute.
    std::vector<std::thread> helpers;
    for (int64_t t = 0; t < std::min(threads, count); ++t) helpers.emplace_back(work);
    try {
        for (int64_t i = 0; i < count; ++i) {
            {
                std::unique_lock<std::mutex> guard(lock);
                finished.wait(guard, [&] { return done[static_cast<size_t>(i)] || failure; });
                if (failure) break;
            }
            inOrder(i);
        }
    } catch (...) {
        std::lock_guard<std::mutex> guard(lock);
        if (!failure) failure = std::current_exception();
        next = count;
    }
    for (auto& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}
