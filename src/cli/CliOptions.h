// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "measure/LineReading.h"
#include "platform/Window.h"
#include "ui/DisplayKind.h"
#include "ui/ParameterSweep.h"

namespace brevanto::cli {

// The largest picture brevanto-cli's window takes, in each direction: the
// largest the window shows.
inline constexpr int kCliScreenSize = platform::kLargestPictureSide;

// The command line of brevanto-cli, parsed but not yet carried out.
struct CliOptions {
    struct Point {
        int32_t x;
        int32_t y;
    };

    bool help = false;
    bool version = false;
    std::string scene;
    std::vector<Point> probes;
    std::vector<model::MeasuringLine> lines;
    std::optional<std::string> field;       // CSV of the arrows' grid
    std::optional<ui::DisplayKind> render;  // None: the objects alone
    std::string out;                        // the picture of --render
    bool legends = false;
    bool logarithmicArrows = false;
    std::optional<std::string> save;
    bool passes = false;
    bool polar = false;                       // the light meter's sectors after each probe
    bool balance = false;                     // the energy balance
    std::optional<ui::ParameterSweep> sweep;  // the scene computed at each value
    bool verify = false;                      // the verification scenes; no scene file needed
    std::optional<double> maxSeconds;         // the run stops with exit status 3 after this
    bool progress = false;                    // the progress texts go to standard error
};

// A command line that cannot be carried out; the message says why.
class CliUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws CliUsageError. With --help or
// --version anywhere the rest is not checked.
CliOptions ParseCliArguments(const std::vector<std::string>& arguments);

const std::string& CliUsage();

}  // namespace brevanto::cli
