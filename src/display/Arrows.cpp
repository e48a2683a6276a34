// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/Arrows.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/ColourChoice.h"
#include "model/FieldRange.h"
#include "model/Numbers.h"
#include "platform/Canvas.h"
#include "platform/Platform.h"

namespace brevanto::display {

using namespace model;

void DrawArrow(platform::Canvas& canvas, int32_t x, int32_t y, double dx, double dy) {
    canvas.BeginShape();
    const double tipX = x + canvas.Landed(dx);
    const double tipY = y + canvas.Landed(dy);
    const double midX = (x + tipX) / 2;
    const double midY = (y + tipY) / 2;
    const double sideX = (tipY - y) / 3;
    const double sideY = (tipX - x) / 3;
    canvas.MoveTo(x, y);
    canvas.LineToExact(tipX, tipY);
    canvas.LineToExact(midX + sideX, midY - sideY);
    canvas.MoveToExact(tipX, tipY);
    canvas.LineToExact(midX - sideX, midY + sideY);
}

ArrowScale TVektorpfeile::Draw(const SceneList& list, const Tprgvar& settings, platform::Canvas& canvas,
                               platform::Platform& platform, ArrowLength length) const {
    canvas.SetPenColor(colour);
    const Grid grid = GridFor(settings);
    if (!CheckGrid(grid, "arrows", platform)) return {};
    std::vector<FlowSum> sums(grid.PointCount());
    ForEachPoint(grid, "arrows", settings, platform.Progress(), [&](int32_t i, int32_t j) {
        sums[grid.PointIndex(i, j)] = list.FlowDensitySum(grid.X(i), grid.Y(j));
    });

    double largestSquare = 0;
    for (int32_t i = 1; i <= grid.columns; ++i)
        for (int32_t j = 1; j <= grid.rows; ++j) {
            const FlowSum& s = sums[grid.PointIndex(i, j)];
            CheckFieldValue(s.x * s.x + s.y * s.y, grid.X(i), grid.Y(j));
            largestSquare = std::max(largestSquare, s.x * s.x + s.y * s.y);
        }
    if (largestSquare == 0) {
        platform.ShowMessage("No arrows are drawn, because there is no light-source.");
        return {};
    }
    const double strongest = std::sqrt(largestSquare);
    const auto scale = static_cast<float>(grid.spacing / strongest * 0.7);
    // The tip's offset from the grid point: in proportion as the picture
    // has always shown it, or 0.7 spacings times the share of the decades
    // below the strongest that S lies above the faintest.
    const auto tipOffset = [&](const FlowSum& s) {
        if (length == ArrowLength::Proportional) return std::pair<double, double>{s.x * scale, s.y * scale};
        const double magnitude = std::sqrt(s.x * s.x + s.y * s.y);
        const double share =
            magnitude > 0 ? std::max<double>(0, 1 + std::log10(magnitude / strongest) / kArrowDecades) : 0;
        const double pixels = 0.7 * grid.spacing * share;
        return magnitude > 0 ? std::pair{s.x / magnitude * pixels, s.y / magnitude * pixels}
                             : std::pair<double, double>{0, 0};
    };
    for (int32_t i = 1; i <= grid.columns; ++i)
        for (int32_t j = 1; j <= grid.rows; ++j) {
            const auto [dx, dy] = tipOffset(sums[grid.PointIndex(i, j)]);
            // Whether an arrow shows is decided on pixels, whatever the canvas:
            // one whose tip lands on its start draws no pixel.
            const int32_t tipX = Round(dx) + grid.X(i);
            const int32_t tipY = Round(dy) + grid.Y(j);
            const bool empty = tipX == grid.X(i) && tipY == grid.Y(j);
            if (!empty && !list.AnyBlocks(grid.X(i), grid.Y(j), tipX, tipY, 0, 0))
                DrawArrow(canvas, grid.X(i), grid.Y(j), dx, dy);
        }
    // The strongest arrow, |S| = sqrt(M), is 0.7 spacings long.
    if (length == ArrowLength::Proportional) return {strongest / 0.7, 0, 0};
    return {0, strongest, strongest * std::pow(10.0, -kArrowDecades)};
}

void TVektorpfeile::Edit(platform::Platform& platform) {
    static platform::DialogSpec dialog{
        "Arrows of energy flow density",
        {platform::Control::Edit("gitterweite", "Pixel width"), platform::Control::Label("pixels").Beside(),
         ColourCombo("black"), platform::Control::Button("OK", platform::ModalResult::OK, true),
         platform::Control::CancelButton()}};
    EditSpacingAndColour(dialog, platform);
}

void TVektorpfeile::SaveToFile(platform::TextFile& file) const { SaveSection(file, "vektorpfeile"); }

}  // namespace brevanto::display
