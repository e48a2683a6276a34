// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/ObjektKreis.h"
#include "radiation/ArcElements.h"

namespace brevanto::radiation {

// The radiation leaving the elements of one angle range of a circular
// mirror/diffusor.
struct ArcRadiation {
    int32_t bins = 0;             // direction bins per element
    std::vector<float> difrad;    // diffuse exitance per element: inner face, outer face
    std::vector<float> refrad;    // directly reflected radiation, `bins` values per element
    std::vector<float> transrad;  // directly transmitted radiation, `bins` values per element

    std::span<float> Reflected(size_t i) { return {refrad.data() + i * Stride(), Stride()}; }
    std::span<const float> Reflected(size_t i) const { return {refrad.data() + i * Stride(), Stride()}; }
    std::span<float> Transmitted(size_t i) { return {transrad.data() + i * Stride(), Stride()}; }
    std::span<const float> Transmitted(size_t i) const { return {transrad.data() + i * Stride(), Stride()}; }

private:
    size_t Stride() const { return static_cast<size_t>(bins); }
};

// The elements of a circular mirror/diffusor and the radiation leaving them,
// kept between computations. They are built anew, all radiation 0, when the
// resolution settings or the circle's centre, radius or angles change, and
// after FreeElements.
class CircularMirrorElements {
public:
    // Returns true when the elements were rebuilt. Elements that would not
    // fit into memory are refused with a message (std::runtime_error) and
    // the old ones stay.
    bool RebuildElements(const model::TObjektKreis& circle, int32_t sellaenge, int32_t richtungprosel);
    void FreeElements();
    // Every element's radiation 0, as when built.
    void ClearRadiation();

    // The angle ranges at the last build, their elements and the radiation
    // of each range, index by index.
    const model::AngleRanges& Ranges() const { return ranges; }
    const std::vector<ArcPiece>& Pieces() const { return pieces; }
    std::vector<ArcRadiation>& Radiation() { return radiation; }
    const std::vector<ArcRadiation>& Radiation() const { return radiation; }

private:
    model::AngleRanges ranges{};
    std::vector<ArcPiece> pieces;
    std::vector<ArcRadiation> radiation;
    int32_t builtsellaenge = 0;  // 0: not built
    int32_t builtrichtungprosel = 0;
    std::array<int32_t, 5> builtGeometry{};  // centre, radius, angles
};

}  // namespace brevanto::radiation
