#pragma once
#include <string>

#include "platform/Canvas.h"
#include "platform/Colour.h"

// A display's legend: one line of text in the display's colour, in a white
// box with a frame in the bottom-right corner of a picture of this size.
void DrawLegend(platform::Canvas& canvas, int width, int height, platform::TColor colour, const std::string& text);
