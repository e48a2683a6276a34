// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>
#include <vector>

namespace brevanto::platform {

// What the light meter found at one point of the picture, as plain numbers
// for the window to show. Directions are degrees counter-clockwise from +x
// with y pointing up, as on a map: a vector (fx, fy) in window coordinates
// (y downward) travels at atan2(-fy, fx).
struct Measurement {
    static constexpr int kSectors = 36;
    static constexpr double kSectorDegrees = 360.0 / kSectors;

    // The light arriving at the point that travels in the directions
    // [k, k + 1) * kSectorDegrees: the summed magnitudes of its individual
    // flow vectors, and their vector sum (window coordinates).
    struct Sector {
        double energy = 0;
        double fx = 0;
        double fy = 0;
    };

    int x = 0;
    int y = 0;
    double fx = 0;  // the energy flow density vector F, window coordinates
    double fy = 0;
    double magnitude = 0;     // |F|
    double direction = 0;     // the direction F travels in, [0, 360)
    double energy = 0;        // the energy density E
    double directedness = 0;  // |F| / E; 0 where no light arrives
    std::array<Sector, kSectors> sectors{};
};

// The light meter's readings as a table for the window to show: the column
// headings, and one row of texts per reading.
struct ReadingTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

}  // namespace brevanto::platform
