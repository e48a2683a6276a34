#include "model/ParallelFor.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

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

}  // namespace

int ThreadCount() {
    const int chosen = chosenThreads.load();
    if (chosen >= 1) return chosen;
    static const int fallback = EnvironmentOrMachineThreads();
    return fallback;
}

void SetThreadCount(int threads) { chosenThreads = threads > 0 ? threads : 0; }
