// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// For each scene file, the computation alone and each of the three displays,
// each from the scene opened fresh: the time estimated before the work (what
// the window asks about and --max-seconds refuses on) against the time it
// took, as a Markdown table.
void PrintEstimateComparisons(const std::vector<std::string>& scenes);
