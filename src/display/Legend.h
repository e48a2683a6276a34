// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

#include "platform/Colour.h"

namespace brevanto::platform {
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::display {

// The corners a legend may take, in the order they are preferred.
enum class Corner { LowerRight, LowerLeft, UpperRight, UpperLeft };

// The size of the legends' text on a picture of this size: readable on a
// small window, in proportion on a large print.
int LegendTextSize(int pictureWidth, int pictureHeight);

// Where a legend's content goes: its top-left corner inside the box, and the
// text size that the box was made for.
struct LegendBox {
    int left;
    int top;
    int textSize;
};

// The space between a legend's frame and its content, and between its box
// and the picture's border.
int LegendPadding(int textSize);

// The corner whose box for content of this size covers the fewest drawn
// pixels (those unlike `background`), the first in Corner's order among
// equals; nothing when the canvas holds no pixels to look at.
std::optional<Corner> EmptiestCorner(const platform::Canvas& canvas, int pictureWidth, int pictureHeight,
                                     int contentWidth, int contentHeight, platform::TColor background);

// The box of a legend whose content takes this many pixels, in the corner of
// the picture: white, framed in `colour`. Nothing is drawn, and nothing
// returned, where the picture is too small for it.
std::optional<LegendBox> DrawLegendBox(platform::Canvas& canvas, int pictureWidth, int pictureHeight, int contentWidth,
                                       int contentHeight, platform::TColor colour, Corner corner = Corner::LowerRight);

// A display's legend: one line of text in the display's colour, after a
// sample arrow of sampleArrow pixels when that is above 0.
struct DisplayLegend {
    std::string text;
    double sampleArrow = 0;

    int Width(int textSize) const;
    int Height(int textSize) const;
    void Draw(platform::Canvas& canvas, int pictureWidth, int pictureHeight, platform::TColor colour,
              Corner corner) const;
};

}  // namespace brevanto::display
