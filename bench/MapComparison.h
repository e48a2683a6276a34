// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// For each scene, each colour map drawn at its default spacing from the grid
// alone and refined where the grid is too coarse, against the same map
// computed at every pixel: the times as a share of the every-pixel map's
// (measured right after, so they stay comparable on a busy machine) and the
// share of pixels whose colours lie more than one step of the ramp apart.
void PrintMapComparisons(const std::vector<std::string>& scenes);
