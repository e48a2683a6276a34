// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "model/ObjektGerade.h"
#include "model/Occlusion.h"
#include "model/Settings.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::objects {

// A straight object cut into surface elements for the current settings:
// derived once at prepare time, so that the queries need neither the settings
// nor to recompute the elements for every point.
//
// Only the elements near the picture are kept. The picture's frame blocks
// every path with an end outside the picture, so the others never reach a
// point; keeping them would let a segment from a file, up to 2^32 pixels
// long, cost up to 2^31 elements per query.
class StraightSurface {
public:
    void Prepare(const model::TObjektGerade& object, const model::Tprgvar& settings);
    // How many elements Prepare keeps, without keeping them.
    static int32_t KeptCount(const model::TObjektGerade& object, const model::Tprgvar& settings);
    // The part of the segment, from lo to hi along it (0 at point 1, 1 at
    // point 2), that lies in the picture widened by `margin`; lo > hi for none.
    struct SegmentPart {
        double lo;
        double hi;
    };
    static SegmentPart PartInPicture(const model::TObjektGerade& object, const model::Tprgvar& settings, double margin);
    // The length of the part inside the picture, in pixels: only this part
    // of an emitter sends light into the scene.
    static double LengthInPicture(const model::TObjektGerade& object, const model::Tprgvar& settings);

    float length = 0;                            // L, the segment length
    int32_t count = 0;                           // n = Trunc(L / sellaenge + 1), all elements
    float elementLength = 0;                     // L / n
    int32_t first = 0;                           // the index of centres[0] among all n
    std::vector<radiation::FloatPoint> centres;  // elements first, first + 1, ... from point 1 on
    model::SightRun run;                         // the centres rounded to pixels, where lines of sight end
};

}  // namespace brevanto::objects
