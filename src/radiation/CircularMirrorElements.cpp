// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiation/CircularMirrorElements.h"

#include <algorithm>

namespace brevanto::radiation {

using namespace model;

namespace {
std::array<int32_t, 5> GeometryOf(const TObjektKreis& circle) {
    return {circle.xmitte, circle.ymitte, circle.radius, circle.winkel1, circle.winkel2};
}
}  // namespace

bool CircularMirrorElements::RebuildElements(const TObjektKreis& circle, int32_t sellaenge, int32_t richtungprosel) {
    if (sellaenge == builtsellaenge && richtungprosel == builtrichtungprosel && GeometryOf(circle) == builtGeometry)
        return false;
    const AngleRanges newRanges = circle.Ranges();
    // Per element its geometry, two diffuse values and a reflected and a
    // transmitted value per bin.
    const ArcCutRule rule{0, static_cast<double>(kArcElementFloats) + 2 + 2.0 * richtungprosel,
                          "A circular mirror/diffusor is too large for this resolution of the calculation:\r"
                          "its radiation values would not fit into memory."};
    std::vector<ArcPiece> cut = CutArc(circle, newRanges, sellaenge, richtungprosel, rule);
    FreeElements();
    ranges = newRanges;
    pieces = std::move(cut);
    for (const ArcPiece& piece : pieces) {
        const size_t count = piece.elements.size();
        const size_t values = count * static_cast<size_t>(richtungprosel);
        radiation.push_back(
            {richtungprosel, std::vector<float>(2 * count), std::vector<float>(values), std::vector<float>(values)});
    }
    builtsellaenge = sellaenge;
    builtrichtungprosel = richtungprosel;
    builtGeometry = GeometryOf(circle);
    return true;
}

void CircularMirrorElements::ClearRadiation() {
    for (ArcRadiation& range : radiation)
        for (std::vector<float>* values : {&range.difrad, &range.refrad, &range.transrad})
            std::fill(values->begin(), values->end(), 0.0f);
}

void CircularMirrorElements::FreeElements() {
    pieces.clear();
    pieces.shrink_to_fit();
    radiation.clear();
    radiation.shrink_to_fit();
    builtsellaenge = 0;
    builtrichtungprosel = 0;
}

}  // namespace brevanto::radiation
