// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Szeneobjekt.h"

namespace brevanto::model {
class SceneList;
}

namespace brevanto::ui {

// How near, in pixels, a dragged point must come to a point of another
// object to snap onto it.
inline constexpr int32_t kSnapReach = 6;

// Where a point dragged to (x, y) snaps: onto the nearest handle (an end
// point, a circle's centre) of an object within kSnapReach, else onto the
// nearest point of an object's outline within it; none when nothing is that
// near. The objects being moved are no targets.
std::optional<model::Handle> SnapTarget(const model::SceneList& list,
                                        const std::vector<const model::Tszeneobjekt*>& moving, int32_t x, int32_t y);

// (x, y) turned about `fixed` onto the nearest direction that is a multiple
// of 15 degrees, as far from `fixed` as the projection onto that direction.
model::Handle ConstrainedAngle(model::Handle fixed, int32_t x, int32_t y);

}  // namespace brevanto::ui
