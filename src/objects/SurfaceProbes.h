// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include "model/ObjektGerade.h"
#include "model/ObjektKreis.h"
#include "model/PowerShare.h"
#include "model/Settings.h"

namespace brevanto::objects {

// Where a surface receives in the energy balance: the points where the
// mirror/diffusor of its shape gathers. Probes are set only inside the
// picture: the frame blocks every path with an end outside it, so nothing
// arrives out there.

// A straight object receives as the straight mirror/diffusor gathers: at the
// centre of each of its elements, from every other object, itself not
// blocking, through both faces. StraightSurface keeps the elements near the
// picture.
model::ReceivingSurface StraightSurfaceProbes(const model::TObjektGerade& object, const model::Tprgvar& settings);

// Whether a circular object's own light, falling back on it, counts as
// received: a circular mirror gathers it as any other; an emitter's is not
// received.
enum class OwnLight { Skipped, Counts };

// A circular object receives as the circular mirror/diffusor gathers: a few
// pixels off each face of each element, cut as ArcElementsNearPicture cuts
// it, what travels towards that face.
model::ReceivingSurface CircleSurfaceProbes(const model::TObjektKreis& circle, const model::Tprgvar& settings,
                                            int32_t extraElements, OwnLight ownLight);

}  // namespace brevanto::objects
