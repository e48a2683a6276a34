// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/LightReadings.h"

#include "model/LightMeter.h"
#include "platform/Conversions.h"

namespace brevanto::measure {

using namespace model;

namespace {
// Enough digits to tell two readings apart, few enough to read.
constexpr int kDigits = 6;
}  // namespace

void LightReadings::Add(const platform::Measurement& measured) {
    readings.push_back(measured);
    upToDate = true;
}

void LightReadings::Remeasure(const SceneList& list) {
    for (platform::Measurement& reading : readings) reading = MeasureLight(list, reading.x, reading.y);
    upToDate = true;
}

platform::ReadingTable LightReadings::Table() const {
    platform::ReadingTable table{{"No.", "X", "Y", "Fx", "Fy", "|F|", "Direction", "E", "|F|/E"}, {}};
    for (size_t i = 0; i < readings.size(); ++i) {
        const platform::Measurement& reading = readings[i];
        std::vector<std::string> row{std::to_string(i + 1), std::to_string(reading.x), std::to_string(reading.y)};
        if (upToDate)
            for (double value :
                 {reading.fx, reading.fy, reading.magnitude, reading.direction, reading.energy, reading.directedness})
                row.push_back(platform::NumberWithPoint(value + 0.0, kDigits));  // -0 reads as 0
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string LightReadings::Joined(char separator) const {
    const platform::ReadingTable table = Table();
    const auto line = [separator](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) text += separator;
            text += cells[i];
        }
        return text + '\n';
    };
    std::string text = line(table.columns);
    for (const std::vector<std::string>& row : table.rows) text += line(row);
    return text;
}

}  // namespace brevanto::measure
