// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace brevanto::model {

// What an object tells the energy balance of its share in the power of the
// scene: where it receives light and what a mirror sends on. Powers are
// energy flow densities times lengths (flow density S times pixels).

// A point where power is counted: the light arriving there crosses a piece of
// line `length` pixels long; (dx, dy) is the unit vector along which it
// counts.
struct PowerProbe {
    int32_t x;
    int32_t y;
    double dx;
    double dy;
    double length;
};

// Whose light a probe counts and how.
struct ProbeRule {
    int32_t skip;     // the object whose own light does not count (0: none)
    int32_t exclude;  // the object that does not block (0: none)
    bool bothWays;    // |v.d| (a straight surface, hit from either side), else only v.d > 0
};

// Where an object receives, and whose light counts there.
struct ReceivingSurface {
    std::vector<PowerProbe> probes;
    ProbeRule rule{};
};

// What a mirror/diffusor sends, from its element values: back to the side the
// light came from, and through to its other side. `passedPercent` is the
// percentage of what it receives that its coefficients pass on, dirref +
// difref + dirtrans + diftrans.
struct SentLight {
    double reflected = 0;
    double transmitted = 0;
    double passedPercent = 0;
};

}  // namespace brevanto::model
