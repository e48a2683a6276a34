// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/SurfaceProbes.h"

#include <utility>
#include <vector>

#include "model/Geometry.h"
#include "objects/ArcElementsNearPicture.h"
#include "objects/StraightSurface.h"

namespace brevanto::objects {

using namespace model;
using namespace radiation;

ReceivingSurface StraightSurfaceProbes(const TObjektGerade& object, const Tprgvar& settings) {
    const ProbeRule rule{object.number, object.number, true};
    const float length = object.Length();
    if (length == 0) return {{}, rule};
    StraightSurface surface;
    surface.Prepare(object, settings);
    const double nx = (static_cast<double>(object.y2) - object.y1) / length;
    const double ny = (static_cast<double>(object.x1) - object.x2) / length;
    std::vector<PowerProbe> probes;
    for (const SightPoint& centre : surface.run.points)
        if (!IsOffScreen(centre.x, centre.y, settings))
            probes.push_back({centre.x, centre.y, nx, ny, surface.elementLength});
    return {std::move(probes), rule};
}

ReceivingSurface CircleSurfaceProbes(const TObjektKreis& circle, const Tprgvar& settings, int32_t extraElements,
                                     OwnLight ownLight) {
    std::vector<PowerProbe> probes;
    ArcElementsNearPicture(circle, settings, extraElements)
        .ForEach([&](const ArcElement& element, float elementLength) {
            for (const double sigma : {-1.0, 1.0}) {
                const double rho = FaceProbeRadius(circle.radius, sigma);
                const auto nx = static_cast<float>(element.normal.x * rho);
                const auto ny = static_cast<float>(element.normal.y * rho);
                const int32_t x = Round(circle.xmitte + static_cast<double>(nx));
                const int32_t y = Round(circle.ymitte + static_cast<double>(ny));
                if (!IsOffScreen(x, y, settings))
                    probes.push_back({x, y, -sigma * element.normal.x, -sigma * element.normal.y, elementLength});
            }
        });
    return {std::move(probes), {ownLight == OwnLight::Counts ? 0 : circle.number, 0, false}};
}

}  // namespace brevanto::objects
