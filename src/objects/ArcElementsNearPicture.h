// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "model/ObjektKreis.h"
#include "model/Settings.h"
#include "radiation/ArcElements.h"

namespace brevanto::objects {

// A circle or arc cut into elements as its kind cuts it, `extraElements`
// added to each range's count (the circular mirror none, the others at least
// one element per range, as the circular emitter), and which of them lie near
// the picture. Only circles far larger than any picture would have more than
// 2^31 - 1 elements in a range; they keep that many.
//
// The frame blocks every path with an end outside the picture, so nothing
// arrives out there and nothing sent from there arrives. The elements near the
// picture are found without visiting the others, so a circle from a file
// costs what its part in the picture costs.
class ArcElementsNearPicture {
public:
    ArcElementsNearPicture(const model::TObjektKreis& circle, const model::Tprgvar& settings, int32_t extraElements);

    // Calls visit(element, elementLength) for the elements, in order, whose
    // centres or face probes may lie in the picture: within kFaceProbeOffset
    // and half a pixel of rounding, and the error of the probe's offset
    // rounded to floats (the normal and its product with the probe's radius,
    // each about 2^-24 of the radius).
    // A circle inside the picture has a few elements per pixel of its length,
    // unless a file asks for millions of directions: then the energy
    // balance's probes would not fit into memory (2 probes and their powers
    // per element), and it is refused (std::runtime_error) as the circular
    // emitter refuses itself.
    template <class Visit>
    void ForEach(Visit&& visit) const {
        for (const auto& [cut, range] : Near())
            for (int64_t i = range.first; i < range.end; ++i)
                visit(radiation::ArcElementOf(circle, cut->range, static_cast<int32_t>(i), cut->count),
                      cut->elementLength);
    }

    // The share of the elements whose centres lie inside the picture, by
    // length.
    double ShareInside() const;

private:
    // One angle range cut into `count` elements.
    struct ArcCut {
        model::AngleRange range;
        int32_t count;
        float elementLength;
    };
    struct IndexRange {
        int64_t first;
        int64_t end;  // one past the last
    };
    // The elements of `cut` whose centres lie within `margin` of the picture,
    // in ascending, separate ranges of indices.
    std::vector<IndexRange> ElementsNear(const ArcCut& cut, double margin) const;
    // The elements ForEach visits, range by range.
    std::vector<std::pair<const ArcCut*, IndexRange>> Near() const;

    const model::TObjektKreis& circle;
    const model::Tprgvar& settings;
    std::vector<ArcCut> cuts;
};

}  // namespace brevanto::objects
