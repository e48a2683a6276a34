// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Colour.h"

namespace brevanto::platform {

// The RGB value that a colour is painted in, on the screen and in the pictures
// written without one alike; system-colour references resolve to the Windows
// defaults, whatever the desktop's theme.
TColor ResolveColour(TColor colour);

}  // namespace brevanto::platform
