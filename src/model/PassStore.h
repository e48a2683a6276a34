// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <any>
#include <atomic>
#include <cstdint>
#include <map>

namespace brevanto::model {

// What one computation keeps from pass to pass: the scene does not move
// between its passes, so what an object found out in the first pass about
// lines of sight and the objects whose radiation no pass changes holds for
// every later one. Each object keeps its own record (For), and all records
// together stay within a bound of bytes (Reserve); what is refused is found
// out again in every pass, with the same result. Freed with the computation.
class PassStore {
public:
    explicit PassStore(int64_t mostBytes) : bytesLeft(mostBytes) {}

    // The record of the object numbered `number`, made empty on first use.
    // Serial: from an object's Iterate, before it refills its elements.
    template <class Record>
    Record& For(int32_t number) {
        std::any& record = records[number];
        if (!record.has_value()) record = Record{};
        return std::any_cast<Record&>(record);
    }

    // Whether `bytes` more may be kept; they are counted if so. Any thread.
    bool Reserve(int64_t bytes);

    // About 200 MB: what a computation keeps beside the radiation values.
    static constexpr int64_t kMostBytes = 200'000'000;

private:
    std::atomic<int64_t> bytesLeft;
    std::map<int32_t, std::any> records;
};

}  // namespace brevanto::model
