// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace brevanto::radiation {

// One surface element of a straight mirror/diffusor: the radiation leaving it.
struct TSelListe {
    std::vector<float> dirrad;  // directed radiation, one value per direction bin
    float x = 0;                // centre
    float y = 0;
    float difplus = 0;   // diffuse exitance on the plus side
    float difminus = 0;  // diffuse exitance on the minus side
};

// The element list of a straight mirror/diffusor, kept between computations
// and rebuilt (all values 0 again) only when the end points or the
// resolution settings change. A list that would not fit into memory is
// refused with a message (std::runtime_error) and the old one stays.
class MirrorElements {
public:
    // Returns true when the list was rebuilt.
    bool RebuildElements(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t sellaenge, int32_t richtungprosel);
    void FreeElements();
    // Every element's radiation 0, as when built.
    void ClearRadiation();

    std::vector<TSelListe>& Elements() { return elements; }
    const std::vector<TSelListe>& Elements() const { return elements; }
    float seglen = 0;
    float elemlen = 0;
    int32_t elemcount = 0;

private:
    std::vector<TSelListe> elements;  // from the element nearest point 1
    int32_t builtsellaenge = 0;
    int32_t builtrichtungprosel = 0;
    int32_t builtx1 = 0;
    int32_t builty1 = 0;
    int32_t builtx2 = 0;
    int32_t builty2 = 0;
};

}  // namespace brevanto::radiation
