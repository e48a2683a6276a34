// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/Arrows.h"
#include "display/Circles.h"
#include "display/StreamLines.h"

namespace brevanto::display {

// The three ways of showing the computed field, with their parameters. They
// are created with their defaults at start and anew by "New" and by loading.
struct Displays {
    TVektorpfeile vektorpfeile;
    TLinien linien;
    TEnergiekreise energiekreise;
};

}  // namespace brevanto::display
