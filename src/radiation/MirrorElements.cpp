// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiation/MirrorElements.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/Numbers.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::radiation {

bool MirrorElements::RebuildElements(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t sellaenge,
                                     int32_t richtungprosel) {
    // In double: the squares of differences up to 2^32 overflow 64-bit integers.
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    seglen = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    if (sellaenge == builtsellaenge && richtungprosel == builtrichtungprosel && x1 == builtx1 && y1 == builty1 &&
        x2 == builtx2 && y2 == builty2)
        return false;
    const int32_t count = StraightElementCount(seglen, sellaenge);
    if (static_cast<double>(count) * richtungprosel > kMostRadiationValues)
        throw std::runtime_error(
            "A mirror/diffusor is too long for this resolution of the calculation:\r"
            "its radiation values would not fit into memory.");
    FreeElements();
    builtx1 = x1;
    builty1 = y1;
    builtx2 = x2;
    builty2 = y2;
    builtsellaenge = sellaenge;
    builtrichtungprosel = richtungprosel;
    elemcount = count;
    elemlen = StraightElementLength(seglen, elemcount);
    elements.resize(static_cast<size_t>(elemcount));
    for (int32_t i = 0; i < elemcount; ++i) {
        TSelListe& element = elements[static_cast<size_t>(i)];
        const FloatPoint centre = StraightElementCentre(x1, y1, x2, y2, i, elemcount);
        element.x = centre.x;
        element.y = centre.y;
        element.dirrad.assign(static_cast<size_t>(richtungprosel), 0.0f);
    }
    return true;
}

void MirrorElements::ClearRadiation() {
    for (TSelListe& element : elements) {
        std::fill(element.dirrad.begin(), element.dirrad.end(), 0.0f);
        element.difplus = 0;
        element.difminus = 0;
    }
}

void MirrorElements::FreeElements() {
    elements.clear();
    elements.shrink_to_fit();
    elemcount = 0;
}

}  // namespace brevanto::radiation
