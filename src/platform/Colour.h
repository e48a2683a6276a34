// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace brevanto::platform {

// Windows colour value 0x00BBGGRR. A negative value refers to a system colour
// of the window toolkit, with the system-colour index in the low byte.
using TColor = int32_t;

// The button-face system colour: the window's own colour at start, and the
// value that scene files hold for it.
inline constexpr TColor kButtonFaceColour = -16777201;

inline bool IsSystemColour(TColor colour) { return colour < 0; }
inline int SystemColourIndex(TColor colour) { return colour & 0xFF; }

inline int RedOf(TColor rgb) { return rgb & 0xFF; }
inline int GreenOf(TColor rgb) { return (rgb >> 8) & 0xFF; }
inline int BlueOf(TColor rgb) { return (rgb >> 16) & 0xFF; }
inline TColor RgbColour(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

}  // namespace brevanto::platform
