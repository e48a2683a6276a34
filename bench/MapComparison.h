// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For each example scene and the standard scene, each colour map drawn at
// its default spacing against the same map computed at every pixel: the
// times of both and the share of pixels whose colours lie more than one
// step of the ramp apart.
void PrintMapComparisons();
