#pragma once

namespace platform {
class Window;
}

// The screen dialog: the picture's background colour and the size of the
// window's drawing area. A size the window cannot take is reduced by it.
// Throws ConversionError for a size that is not a whole number; the colour
// chosen in the same visit is kept then.
void ScreenDialog(platform::Window& window);
