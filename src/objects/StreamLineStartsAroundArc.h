// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <span>

#include "model/ObjektKreis.h"
#include "radiation/ArcElements.h"

namespace brevanto::objects {

// Stream-line starting points around a circle or arc, on the inner side
// first, then on the outer one, where its faces gather (3 pixels off the
// surface, FaceProbeRadius), placed by equal shares of flux
// (PlaceByEqualFlux) over the elements of all pieces in their order. The flux
// leaving an element is the outward component of the field of every object
// of the list there, times the element length; negatives count 0. With
// `ownOuterExitance`, the object's own field on the outer side is that
// exitance along the normal instead of being asked.
void AddStreamLineStartsAroundArc(const model::TObjektKreis& object, std::span<const radiation::ArcPiece> pieces,
                                  model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                                  std::optional<float> ownOuterExitance, const model::StopCheck& stop);

}  // namespace brevanto::objects
