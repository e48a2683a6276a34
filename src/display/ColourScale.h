// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "platform/Colour.h"

namespace brevanto::platform {
class Canvas;
}  // namespace brevanto::platform

namespace brevanto::display {

// The colours of the maps and their legend.

// The ramp of the maps in 256 steps: dark violet at 0 through blue, teal and
// green to yellow at 1, growing steadily lighter, so that the order of the
// values reads in grey too. t is cut to [0, 1].
platform::TColor RampColour(double t);
// The step (0 to 255) of a colour of the ramp, the lowest where two steps
// share a colour; -1 for any other colour.
int RampStep(platform::TColor colour);

// Whether two pixels of maps show values more than a step of the ramp apart:
// both of the ramp and more than one step apart, or only one of them of the
// ramp (the other the scene's, where no light arrives).
bool MoreThanAStepApart(platform::TColor a, platform::TColor b);

// How a map's values are laid onto the ramp.
struct ValueScale {
    double low = 0;
    double high = 1;
    bool logarithmic = false;  // equal ratios take equal steps; low must be > 0

    // The place of the value on the ramp, cut to [0, 1].
    double Fraction(double value) const;
    // The value at a place of the ramp.
    double ValueAt(double fraction) const;
};

// A legend's number: up to three significant digits, always with ".".
std::string LegendNumber(double value);

// The legend in the lower right corner of the picture: on white, framed and
// written in `colour`, the title over the ramp and the values at the ramp's
// two ends and its middle. Nothing where the picture is too small for it.
void DrawColourLegend(platform::Canvas& canvas, int pictureWidth, int pictureHeight, const std::string& title,
                      const ValueScale& scale, platform::TColor colour);

}  // namespace brevanto::display
