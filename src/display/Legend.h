#pragma once
#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Colour.h"

// Where a legend's content goes: the top-left corner inside its box.
struct LegendBox {
    int left;
    int top;
};

// The box of a legend whose content takes this many pixels, in the lower
// right corner of a picture of this size: white, framed in `colour`. Nothing
// is drawn, and nothing returned, where the picture is too small for it.
std::optional<LegendBox> DrawLegendBox(platform::Canvas& canvas, int pictureWidth, int pictureHeight, int contentWidth,
                                       int contentHeight, platform::TColor colour);

// A display's legend: one line of text in the display's colour.
void DrawLegend(platform::Canvas& canvas, int pictureWidth, int pictureHeight, platform::TColor colour,
                const std::string& text);
