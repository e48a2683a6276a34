// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/Settings.h"

namespace brevanto::platform {
class Platform;
class Window;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The screen dialog: the picture's background colour (hintergrundfarbe) and
// the size of the window's drawing area. A size the window cannot take is
// reduced by it. Throws ConversionError for a size that is not a whole
// number; the colour chosen in the same visit is kept then. A side shorter
// than kSmallestPictureSide is refused with a message, and the dialog shows
// again with the text typed.
inline constexpr int kSmallestPictureSide = 50;
void ScreenDialog(platform::Platform& platform, platform::Window& window, model::Tprgvar& settings);

}  // namespace brevanto::ui
