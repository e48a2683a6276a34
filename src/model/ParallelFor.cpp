// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ParallelFor.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace brevanto::model {

namespace {

std::atomic<int> chosenThreads{0};

int EnvironmentOrMachineThreads() {
    if (const char* text = std::getenv("BREVANTO_THREADS")) {
        int threads = 0;
        const char* end = text + std::strlen(text);
        const auto [rest, error] = std::from_chars(text, end, threads);
        if (error == std::errc() && rest == end && threads >= 1) return threads;
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Threads that wait for the next loop's work. One loop at a time uses them.
class WorkerPool {
public:
    static WorkerPool& Instance() {
        static WorkerPool pool;
        return pool;
    }

    // Starts `work` on `count` pool threads; false when the pool is busy.
    bool Start(int64_t count, const std::function<void()>& work) {
        std::lock_guard<std::mutex> guard(lock);
        if (busy) return false;
        while (static_cast<int64_t>(threads.size()) < count)
            threads.emplace_back([this, before = generation] { Serve(before); });
        busy = true;
        job = &work;
        wanted = count;
        taken = 0;
        running = count;
        ++generation;
        wake.notify_all();
        return true;
    }

    void Wait() {
        std::unique_lock<std::mutex> guard(lock);
        finished.wait(guard, [&] { return running == 0; });
        busy = false;
    }

    ~WorkerPool() {
        {
            std::lock_guard<std::mutex> guard(lock);
            quit = true;
        }
        wake.notify_all();
        for (std::thread& thread : threads) thread.join();
    }

private:
    WorkerPool() = default;

    // `served`: the last loop this thread must not take, the one before the
    // loop it was started for.
    void Serve(int64_t served) {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            wake.wait(guard, [&] { return quit || (generation != served && taken < wanted); });
            if (quit) return;
            served = generation;
            ++taken;
            const std::function<void()>& work = *job;
            guard.unlock();
            work();
            guard.lock();
            if (--running == 0) finished.notify_all();
        }
    }

    std::mutex lock;
    std::condition_variable wake, finished;
    std::vector<std::thread> threads;
    const std::function<void()>* job = nullptr;
    int64_t generation = 0;
    int64_t wanted = 0, taken = 0, running = 0;
    bool busy = false, quit = false;
};

}  // namespace

parallel_detail::Helpers::Helpers(int64_t count, std::function<void()> work)
    : work(std::move(work)), pooled(WorkerPool::Instance().Start(count, this->work)) {
    if (!pooled)
        for (int64_t t = 0; t < count; ++t) own.emplace_back(this->work);
}

parallel_detail::Helpers::~Helpers() {
    if (pooled) WorkerPool::Instance().Wait();
    for (std::thread& thread : own) thread.join();
}

parallel_detail::LoopState::LoopState(int64_t count, bool notifyEach)
    : count(count), notifyEach(notifyEach), done(static_cast<size_t>(count), 0) {}

void parallel_detail::LoopState::Done(int64_t i) {
    std::lock_guard<std::mutex> guard(lock);
    done[static_cast<size_t>(i)] = 1;
    if (++finishedCount == count || notifyEach) finished.notify_all();
}

// Waits until ready() or a failure, calling `stop` every kStopCheckInterval
// when there is one.
template <class Ready>
bool parallel_detail::LoopState::WaitUntil(Ready ready, const StopCheck& stop) {
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
}

bool parallel_detail::LoopState::WaitFor(int64_t i, const StopCheck& stop) {
    return WaitUntil([&] { return done[static_cast<size_t>(i)] != 0; }, stop);
}

bool parallel_detail::LoopState::WaitForAll(const StopCheck& stop) {
    return WaitUntil([&] { return finishedCount == count; }, stop);
}

void parallel_detail::LoopState::Fail(std::exception_ptr thrown) {
    std::lock_guard<std::mutex> guard(lock);
    if (!failure) failure = std::move(thrown);
    next = count;
    finished.notify_all();
}

void parallel_detail::LoopState::RethrowFailure() const {
    if (failure) std::rethrow_exception(failure);
}

int ThreadCount() {
    const int chosen = chosenThreads.load();
    if (chosen >= 1) return chosen;
    static const int fallback = EnvironmentOrMachineThreads();
    return fallback;
}

void SetThreadCount(int threads) { chosenThreads = threads > 0 ? threads : 0; }

}  // namespace brevanto::model
