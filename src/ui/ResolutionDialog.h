// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/Settings.h"

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The dialog "Resolution of the calculation ": the length of the surface
// elements (sellaenge) and the number of direction bins (richtungprosel).
// Values below 1 are refused with a message and the dialog appears again with
// the typed texts. Clears berechnet every time it closes; closed other than
// with OK it changes nothing else.
void ResolutionDialog(platform::Platform& platform, model::Tprgvar& settings);

}  // namespace brevanto::ui
