// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "model/SceneList.h"
#include "platform/Measurement.h"

namespace brevanto::measure {

// The light meter's readings: the points measured, in the order they were
// measured, and what arrives at each. When the scene changes the numbers go
// out of date: the points stay, and Remeasure measures them all again.
class LightReadings {
public:
    void Add(const platform::Measurement& measured);
    void MarkOutOfDate() { upToDate = false; }
    bool UpToDate() const { return upToDate; }
    // Measures every point again; the queries must be prepared.
    void Remeasure(const model::SceneList& list);
    void Clear() { readings.clear(); }
    bool Empty() const { return readings.empty(); }
    const std::vector<platform::Measurement>& Readings() const { return readings; }

    // No., X, Y, Fx, Fy, |F|, direction, E and |F|/E of each reading; only
    // the number and the point while out of date.
    platform::ReadingTable Table() const;
    // The table with a tab between the columns and a line each, headings
    // first, for a spreadsheet; comma-separated for a CSV file.
    std::string TabSeparated() const { return Joined('\t'); }
    std::string Csv() const { return Joined(','); }

private:
    std::string Joined(char separator) const;

    std::vector<platform::Measurement> readings;
    bool upToDate = true;
};

}  // namespace brevanto::measure
