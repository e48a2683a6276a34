// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "model/ObjektKreis.h"
#include "model/SceneList.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::radiation {

// One surface element of a circle or arc. Arc angles are degrees, 0 straight
// up and growing clockwise on the screen.
struct ArcElement {
    FloatPoint normal;  // outward unit normal (sin t, -cos t) at the centre angle t
    FloatPoint s;       // S, from the circle's centre C to the element's centre: radius * normal
    FloatPoint centre;  // E = C + S
    FloatPoint start;   // the points at the element's start and end angle
    FloatPoint end;
};
// The 32-bit floats of an element, for the memory a kind's elements take.
inline constexpr size_t kArcElementFloats = sizeof(ArcElement) / sizeof(float);

// How far off each face of an element, in pixels, a circular object gathers
// what arrives at that face: off the circle, the circle itself shades the
// light that comes from its other side.
inline constexpr double kFaceProbeOffset = 3;

// How far from the centre a circle of `radius` gathers what arrives at its
// face `sigma` (-1 inner, +1 outer): kFaceProbeOffset off the circle. A
// circle no larger than the offset would put its inner probe at or beyond
// the centre, where nothing arrives at the inner face; there it lies a third
// of the radius out from the centre, which rounds to a pixel still inside.
double FaceProbeRadius(int32_t radius, double sigma);

// One angle range of a circle or arc cut into elements of equal arc length.
struct ArcPiece {
    model::AngleRange range;
    float elementLength = 0;           // span / 180 * pi * radius / count
    std::vector<ArcElement> elements;  // from lo to hi
    model::SightRun run;               // the element centres rounded to pixels
};

// How a kind cuts its circle or arc into elements.
struct ArcCutRule {
    int32_t extraElements;    // added to the ArcElementCount of each range
    double valuesPerElement;  // 32-bit floats the kind keeps per element
    const char* tooLarge;     // the message when they would not fit into memory
};

// How many elements the range is cut into, `extraElements` added to the
// ArcElementCount: none for a circle without a positive radius or a range
// with a negative span. Not capped.
double ArcRangeElementCount(const model::TObjektKreis& circle, model::AngleRange range, int32_t sellaenge,
                            int32_t richtungprosel, int32_t extraElements);
// Element i of the range cut into `count`, as CutArc makes it.
ArcElement ArcElementOf(const model::TObjektKreis& circle, model::AngleRange range, int32_t i, int32_t count);

// The ranges cut into elements; element i of [lo, hi] cut into n has its
// centre at the angle lo (1 - (i + 1/2)/n) + hi (i + 1/2)/n and runs from the
// angle lo (1 - i/n) + hi i/n to the next element's start. A range with a
// negative span, or a circle without a positive radius, has no elements.
// Refuses with the rule's message (std::runtime_error) more than
// kMostRadiationValues values.
std::vector<ArcPiece> CutArc(const model::TObjektKreis& circle, const model::AngleRanges& ranges, int32_t sellaenge,
                             int32_t richtungprosel, const ArcCutRule& rule);

// How many elements CutArc gives the ranges, `extraElements` added to each,
// without cutting them: what a query of the object visits. At most 2^62.
int64_t ArcElementTotal(const model::TObjektKreis& circle, const model::AngleRanges& ranges, int32_t sellaenge,
                        int32_t richtungprosel, int32_t extraElements);

// Whether the element, whose centre rounds to `end`, sends its radiation to
// P: not hidden behind the object itself (only tested when P lies `outside`
// the circle) and not blocked by any of the `occluders` (the list's objects
// that may block the path, OcclusionIndex::ForEachFan, without the object
// itself and the one excluded). An element whose centre is P sends nothing.
bool ArcElementSees(const model::TObjektKreis& circle, const model::AngleRanges& ranges, const ArcElement& element,
                    model::SightPoint end, int32_t px, int32_t py, bool outside,
                    const model::OcclusionIndex::Candidates& occluders);

}  // namespace brevanto::radiation
