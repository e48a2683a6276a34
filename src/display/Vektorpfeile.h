#pragma once
#include <cstdint>

#include "platform/Colour.h"

// Arrows of the energy flow density on a square grid.
class TVektorpfeile {
public:
    int32_t gitterweite = 20;
    platform::TColor colour = 0;
};
