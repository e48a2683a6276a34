// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PointSnapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "model/SceneList.h"

namespace brevanto::ui {

using namespace model;

namespace {

// The squared distance between two points, in 64 bits: coordinates may lie
// anywhere in 32 bits.
int64_t DistanceSquared(Handle a, int32_t x, int32_t y) {
    const int64_t dx = int64_t{a.x} - x;
    const int64_t dy = int64_t{a.y} - y;
    // Beyond the reach any large value does; this keeps the sum from overflowing.
    constexpr int64_t kFar = int64_t{1} << 31;
    if (std::abs(dx) > kFar || std::abs(dy) > kFar) return std::numeric_limits<int64_t>::max();
    return dx * dx + dy * dy;
}

// The nearest of the candidates each object offers within reach.
template <class Candidate>
std::optional<Handle> Nearest(const SceneList& list, const std::vector<const Tszeneobjekt*>& moving, int32_t x,
                              int32_t y, Candidate candidatesOf) {
    std::optional<Handle> nearest;
    int64_t nearestDistance = int64_t{kSnapReach} * kSnapReach + 1;
    for (const auto& object : list) {
        if (std::find(moving.begin(), moving.end(), object) != moving.end()) continue;
        for (const Handle& point : candidatesOf(*object)) {
            const int64_t distance = DistanceSquared(point, x, y);
            if (distance < nearestDistance) {
                nearest = point;
                nearestDistance = distance;
            }
        }
    }
    return nearest;
}

}  // namespace

std::optional<Handle> SnapTarget(const SceneList& list, const std::vector<const Tszeneobjekt*>& moving, int32_t x,
                                 int32_t y) {
    if (std::optional<Handle> handle =
            Nearest(list, moving, x, y, [](const Tszeneobjekt& object) { return object.Handles(); }))
        return handle;
    return Nearest(list, moving, x, y, [x, y](const Tszeneobjekt& object) {
        const std::optional<Handle> point = object.NearestOutlinePoint(x, y);
        return point ? std::vector<Handle>{*point} : std::vector<Handle>{};
    });
}

Handle ConstrainedAngle(Handle fixed, int32_t x, int32_t y) {
    constexpr double kStep = std::numbers::pi / 12;  // 15 degrees
    const double dx = static_cast<double>(x) - fixed.x;
    const double dy = static_cast<double>(y) - fixed.y;
    const double angle = std::nearbyint(std::atan2(dy, dx) / kStep) * kStep;
    const double length = dx * std::cos(angle) + dy * std::sin(angle);
    const auto coordinate = [](double value) {
        return static_cast<int32_t>(
            std::clamp(std::nearbyint(value), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
    };
    return {coordinate(fixed.x + length * std::cos(angle)), coordinate(fixed.y + length * std::sin(angle))};
}

}  // namespace brevanto::ui
