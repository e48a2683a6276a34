#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Colour.h"
#include "platform/Dialog.h"
#include "platform/TextFile.h"

// Common part of the displays that show the field on a square grid of points
// (the arrows and the circles): the grid spacing and colour, their dialog and
// their scene-file section, and the pass over the grid's columns.
//
// The grid has the columns i = 1 .. W div g at X = g i and the rows
// j = 1 .. H div g at Y = g j, W and H being the picture's size: it starts one
// spacing in from the top-left corner, and its last column or row may lie on
// the right or bottom border, one pixel beyond the picture.
class TGitterDarstellung {
public:
    int32_t gitterweite = 20;  // grid spacing in pixels
    platform::TColor colour = 0;

    // Called after the section's keyword line was read: "begin", "color=",
    // "gitterweite=", "end". Stops at the first line that does not match and
    // returns false, keeping the values read so far.
    bool LoadFromFile(platform::TextFile& file);

protected:
    // Writes the section, starting with its keyword line.
    void SaveSection(platform::TextFile& file, const std::string& keyword) const;
    // The "Pixel width" and "Color" dialog. The spacing is read leniently and
    // must be at least 1; otherwise the dialog comes back after a message.
    void EditSpacingAndColour(platform::DialogSpec& dialog);

    int32_t Columns() const;  // for the current settings' picture size
    int32_t Rows() const;
    int32_t X(int32_t column) const { return gitterweite * column; }
    int32_t Y(int32_t row) const { return gitterweite * row; }
    // Index of grid point (i, j), both 1-based, in a column-major array.
    size_t PointIndex(int32_t column, int32_t row) const;

    // Shows "No <what> are drawn, because ..." and returns false when the
    // spacing gives no grid to draw on.
    bool CheckGrid(const std::string& what) const;

    // Calls computePoint(i, j) once for every grid point, column by column,
    // showing "<titel> is calculating the <what>." and the per-cent progress
    // before each column. The points of a column run side by side on all
    // cores: computePoint must write only its own point's entry and use only
    // the scene's const queries, so the result does not depend on the
    // number of threads.
    void ForEachPoint(const std::string& what, const std::function<void(int32_t, int32_t)>& computePoint) const;
};
