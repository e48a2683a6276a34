// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <vector>

#include "model/MeasuringLine.h"
#include "model/Settings.h"
#include "ui/ParameterSweep.h"

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// "Measuring Lines": every line with its place, to edit or delete.
void MeasuringLineManager(std::vector<model::MeasuringLine>& lines, platform::Platform& platform,
                          const model::Tprgvar& settings);

// A line's name, ends and samples; false when cancelled, the line unchanged.
bool EditMeasuringLine(model::MeasuringLine& line, platform::Platform& platform);

// "Sweep": what is varied, and from, to and step; nothing when cancelled.
std::optional<ParameterSweep> SweepDialog(platform::Platform& platform);

}  // namespace brevanto::ui
