// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// The display that follows a drag: a handle of a mirror (or of the first
// object that has one) dragged round a circle for `seconds`, the mouse
// reporting its position every 10 ms, while each display is shown; the
// frames the window showed per second. The examples at 800 x 600, the
// standard scene at its 1920 x 1080.
void PrintLiveDragRates(const std::vector<std::string>& scenes, double seconds);
