#pragma once
#include <algorithm>
#include <atomic>
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
