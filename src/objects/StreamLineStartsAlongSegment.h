// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/ObjektGerade.h"
#include "objects/StraightSurface.h"

namespace brevanto::objects {

// Stream-line starting points along a straight object, on both sides, placed
// 3 pixels off the surface by equal shares of flux (PlaceByEqualFlux). The
// flux leaving a piece is the normal component of the other objects' field
// 3 pixels off it (and of the object's own field when `countOwnField`), plus
// `ownEmission` per unit length; a piece whose 3-pixel path some object
// blocks counts 0. Plus-side points are put first.
void AddStreamLineStartsAlongSegment(const model::TObjektGerade& object, const StraightSurface& surface,
                                     model::StreamLineStarts& starts, const model::SceneList& list, float fluxPerLine,
                                     float ownEmission, bool countOwnField, const model::StopCheck& stop);

}  // namespace brevanto::objects
