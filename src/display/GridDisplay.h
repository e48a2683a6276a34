// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "model/SceneList.h"
#include "model/Settings.h"
#include "platform/Colour.h"
#include "platform/Dialog.h"
#include "platform/TextFile.h"

namespace brevanto::platform {
class Platform;
class ProgressWindow;
}  // namespace brevanto::platform

namespace brevanto::display {

// The points at which the arrows and the circles show the field: the columns
// i = 1 .. W div g at X = g i and the rows j = 1 .. H div g at Y = g j, W and
// H being the picture's size. It starts one spacing in from the top-left
// corner, and its last column or row may lie on the right or bottom border,
// one pixel beyond the picture.
struct Grid {
    int32_t spacing;
    int32_t columns;
    int32_t rows;

    int32_t X(int32_t column) const { return spacing * column; }
    int32_t Y(int32_t row) const { return spacing * row; }
    // Index of grid point (i, j), both 1-based, in a column-major array.
    size_t PointIndex(int32_t column, int32_t row) const {
        return static_cast<size_t>(column - 1) * static_cast<size_t>(rows) + static_cast<size_t>(row - 1);
    }
    size_t PointCount() const { return static_cast<size_t>(columns) * static_cast<size_t>(rows); }
};

// Common part of the displays that show the field on a grid (the arrows and
// the circles): the grid spacing and colour, their dialog and their scene-file
// section, and the pass over the grid's columns.
class GridDisplay {
public:
    int32_t gitterweite = 20;  // grid spacing in pixels
    platform::TColor colour = 0;

    // Called after the section's keyword line was read: "begin", "color=",
    // "gitterweite=", "end". Stops at the first line that does not match and
    // returns false, keeping the values read so far.
    bool LoadFromFile(platform::TextFile& file);
    // The work of drawing on the grid, in the units of SceneList::QueryWork:
    // one query at every grid point.
    double Work(const model::SceneList& list, const model::Tprgvar& settings) const;

protected:
    // Writes the section, starting with its keyword line.
    void SaveSection(platform::TextFile& file, const std::string& keyword) const;
    // The "Pixel width" and "Color" dialog. The spacing is read leniently and
    // must be at least 1; otherwise the dialog comes back after a message.
    // True when it was confirmed with OK.
    bool EditSpacingAndColour(platform::DialogSpec& dialog, platform::Platform& platform);

    Grid GridFor(const model::Tprgvar& settings) const;
    // Shows "No <what> are drawn, because ..." and returns false when the
    // spacing gives no grid to draw on.
    bool CheckGrid(const Grid& grid, const std::string& what, platform::Platform& platform) const;

    // Calls computePoint(i, j) once for every grid point, column by column,
    // showing "<titel> is calculating the <what>." and the per-cent progress
    // before each column. The columns run side by side, each point by point:
    // computePoint must write only its own point's entry and use only the
    // scene's const queries, so the result does not depend on the number of
    // threads.
    void ForEachPoint(const Grid& grid, const std::string& what, const model::Tprgvar& settings,
                      platform::ProgressWindow& progressWindow,
                      const std::function<void(int32_t, int32_t)>& computePoint) const;
    // Calls work(k) once for k = 0 .. count - 1, side by side, with the same
    // progress as ForEachPoint: the share of k done in order.
    void ForEachShowingProgress(int32_t count, const std::string& what, const model::Tprgvar& settings,
                                platform::ProgressWindow& progressWindow,
                                const std::function<void(int32_t)>& work) const;
};

}  // namespace brevanto::display
