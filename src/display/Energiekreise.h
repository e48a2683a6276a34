#pragma once
#include <cstdint>

#include "platform/Colour.h"

// Filled circles whose size shows the energy density on a square grid.
class TEnergiekreise {
public:
    int32_t gitterweite = 20;
    platform::TColor colour = 0;
};
