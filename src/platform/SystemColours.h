#pragma once
#include "platform/Colour.h"

namespace platform {

// The RGB value that the headless platform paints for a colour; system-colour
// references resolve to the classic Windows defaults.
TColor ResolveColour(TColor colour);

}  // namespace platform
