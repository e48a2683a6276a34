#pragma once
#include <cstdint>

#include "platform/Colour.h"

// Stream lines of the energy flow, each carrying an equal share of flux.
class TLinien {
public:
    int32_t linienabstand = 20;
    int32_t maxlaenge = 1000;
    float iterationslaenge = 2.0f;
    float abbruchschwelle = 0.01f;
    platform::TColor colour = 0;
};
