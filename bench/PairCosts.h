// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// Each scene file (the standard scene if none) on one thread: the time of
// Calculate, then each object's flow density at the points of a 20-pixel
// grid, in nanoseconds per pair (one point and one element of the object),
// so that the kinds can be compared: the frame of the background
// radiation, the emitters, the mirrors.
void PrintPairCostsByKind(const std::vector<std::string>& sceneFiles);

// Calculate on one thread for random scenes with mirrors (RandomScene) of
// each number of objects, 1920 x 1080, sellaenge 5, the default settings:
// the passes, the pairs of one pass (a mirror element and an element it
// gathers from) and the time.
void PrintCalculationScaling(const std::vector<int>& objectCounts);
