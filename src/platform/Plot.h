// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/Colour.h"

namespace brevanto::platform {

// A graph for the window to draw: curves of y against x, their axes named
// with their units, and a note below (totals, say).
struct PlotCurve {
    std::string name;
    TColor colour = 0;
    std::vector<double> x{};
    std::vector<double> y{};
};

struct Plot {
    std::string title;  // also the name of its page in the panel
    TColor colour = 0;  // of the title: the colour the plotted thing has on the picture
    std::string xAxis;
    std::string yAxis;
    std::vector<PlotCurve> curves{};
    std::string note{};
};

}  // namespace brevanto::platform
