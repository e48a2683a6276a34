#pragma once
#include <cstdint>
#include <vector>

#include "model/ObjektGerade.h"
#include "model/Occlusion.h"
#include "radiation/SurfaceElements.h"

// A straight object cut into surface elements for the current settings:
// derived once at prepare time, so that the queries need neither the settings
// nor to recompute the elements for every point.
class StraightSurface {
public:
    void Prepare(const TObjektGerade& object, int32_t sellaenge);

    float length = 0;                 // L, the segment length
    int32_t count = 0;                // n = Trunc(L / sellaenge + 1)
    float elementLength = 0;          // L / n
    std::vector<FloatPoint> centres;  // from the element nearest point 1
    SightRun run;                     // the centres rounded to pixels, where lines of sight end
};
