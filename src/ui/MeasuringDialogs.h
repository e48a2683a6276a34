// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "measure/EnergyBalance.h"
#include "measure/Verification.h"
#include "model/Settings.h"

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The energy balance as a table: a row per object, then what leaves through
// the frame, the totals, the imbalance and the mirrors' change, and a note
// below them when the computation did not converge.
void EnergyBalanceDialog(platform::Platform& platform, const measure::EnergyBalance& balance, const std::string& note);

// "Measure at Point": a point of the picture typed in; nothing when the
// dialog was cancelled.
std::optional<std::pair<int, int>> MeasurePointDialog(platform::Platform& platform, const model::Tprgvar& settings);

// The verification cases as a table, with the resolution they were computed
// at.
void VerificationDialog(platform::Platform& platform, const std::vector<measure::VerificationCase>& cases,
                        const model::Tprgvar& resolution);

}  // namespace brevanto::ui
