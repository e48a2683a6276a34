// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace brevanto::ui {

// What the picture shows over the scene: nothing (the objects alone) or one
// of the displays.
enum class DisplayKind { None, Arrows, StreamLines, Circles, Diffuseness, EnergyDensityMap };

}  // namespace brevanto::ui
