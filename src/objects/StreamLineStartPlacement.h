// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

namespace brevanto::objects {

// The rule by which every surface starts its stream lines: the surface is cut
// into pieces, `flux` holds the flux leaving each piece on one side (walking
// order, none negative) and `total` their sum. Round(total / fluxPerLine)
// lines each carry an equal share; line k starts where the running flux
// reaches (k + 1/2) shares. Calls place(piece, fraction) for each line in
// order, fraction being the part of that piece walked before the start.
//
// At most `mostLines` lines are started: more than one line per pixel of the
// surface cannot be told apart in the picture, and a strength or a
// coefficient from a file could otherwise ask for billions. The count is
// taken in 64 bits, so it never wraps.
template <class Place>
void PlaceByEqualFlux(const std::vector<float>& flux, double total, float fluxPerLine, int64_t mostLines,
                      Place&& place) {
    const double wanted = std::nearbyint(total / fluxPerLine);
    if (!(wanted >= 1) || flux.empty()) return;
    const int64_t lines = wanted < static_cast<double>(mostLines) ? static_cast<int64_t>(wanted) : mostLines;
    const double share = total / static_cast<double>(lines);
    double cumulated = 0;
    size_t piece = 0;
    for (int64_t k = 0; k < lines; ++k) {
        const double target = (static_cast<double>(k) + 0.5) * share;
        while (piece + 1 < flux.size() && cumulated + flux[piece] < target) cumulated += flux[piece++];
        const float pieceFlux = flux[piece];
        place(piece, pieceFlux > 0 ? (target - cumulated) / pieceFlux : 1.0);
    }
}

}  // namespace brevanto::objects
