#pragma once
#include <cstdint>
#include <vector>

#include "model/Extended.h"

// The rule by which every surface starts its stream lines: the surface is cut
// into pieces, `flux` holds the flux leaving each piece on one side (walking
// order, none negative) and `total` their sum. Round(total / fluxPerLine)
// lines each carry an equal share; line k starts where the running flux
// reaches (k + 1/2) shares. Calls place(piece, fraction) for each line in
// order, fraction being the part of that piece walked before the start.
template <class Place>
void PlaceByEqualFlux(const std::vector<float>& flux, Extended total, float fluxPerLine, Place&& place) {
    const int32_t lines = Round(total / fluxPerLine);
    if (lines <= 0 || flux.empty()) return;
    const Extended share = total / lines;
    Extended cumulated = 0;
    size_t piece = 0;
    for (int32_t k = 0; k < lines; ++k) {
        const Extended target = (k + 0.5) * share;
        while (piece + 1 < flux.size() && cumulated + flux[piece] < target) cumulated += flux[piece++];
        const float pieceFlux = flux[piece];
        place(piece, pieceFlux > 0 ? (target - cumulated) / pieceFlux : 1.0);
    }
}
