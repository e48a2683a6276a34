// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <cstdint>

#include "model/ParallelFor.h"

namespace brevanto::model {

// How far one pass of the radiation balance moved the values it refilled.
struct PassChange {
    // Some value changed by more than the stop criterion (HasChanged).
    bool beyondCriterion = false;
    // The largest change of a value relative to its new value, in percent:
    // what the stop criterion is compared with. Infinite where a value left
    // or reached 0.
    double largestPercent = 0;

    void Note(double oldValue, double newValue, double abbruchgenauigkeit);
    // Taken in a fixed order, the largest change does not depend on the threads.
    void Add(const PassChange& other);
};

class PassStore;

// What one pass of Iterate is handed: the check the calling thread makes
// between elements, the count of refilled elements, which any thread may
// raise (the calling thread reads it there to show the pass's progress),
// and what the computation keeps from pass to pass (none: every pass finds
// out everything again).
struct IterationPass {
    StopCheck stop;
    std::atomic<int64_t> elementsDone{0};
    PassStore* store = nullptr;

    void ElementDone() { elementsDone.fetch_add(1, std::memory_order_relaxed); }
};

}  // namespace brevanto::model
