// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace brevanto::model {

// A line across which the light is measured. It is no scene object: it
// emits, reflects and blocks nothing. The scene file keeps the measuring
// lines after its objects.
struct MeasuringLine {
    // More samples than this are surely a mistake.
    static constexpr int32_t kMostSamples = 1'000'000;

    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    int32_t samples = 10;  // equal pieces, measured at their middles
    std::string name{};    // what its plot is called; empty: "Line K"

    // Its name, or "Line K" for the line at this index (K from 1).
    std::string Title(size_t index) const { return name.empty() ? "Line " + std::to_string(index + 1) : name; }

    bool operator==(const MeasuringLine&) const = default;
};

}  // namespace brevanto::model
