// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/Legend.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "display/Arrows.h"
#include "platform/Canvas.h"
#include "platform/TextFont.h"

namespace brevanto::display {

namespace {

// The top-left corner of a box in a corner of the picture, kept off its border.
std::pair<int, int> BoxPlace(Corner corner, int pictureWidth, int pictureHeight, int width, int height, int margin) {
    const bool right = corner == Corner::LowerRight || corner == Corner::UpperRight;
    const bool lower = corner == Corner::LowerRight || corner == Corner::LowerLeft;
    return {right ? pictureWidth - margin - width : margin, lower ? pictureHeight - margin - height : margin};
}

}  // namespace

int LegendTextSize(int pictureWidth, int pictureHeight) {
    return std::clamp(std::min(pictureWidth, pictureHeight) / 48, 12, 48);
}

int LegendPadding(int textSize) { return std::max(4, textSize / 2); }

std::optional<Corner> EmptiestCorner(const platform::Canvas& canvas, int pictureWidth, int pictureHeight,
                                     int contentWidth, int contentHeight, platform::TColor background) {
    if (!canvas.ShownPixel(0, 0)) return std::nullopt;
    const int padding = LegendPadding(LegendTextSize(pictureWidth, pictureHeight));
    const int width = contentWidth + 2 * padding, height = contentHeight + 2 * padding;
    std::optional<Corner> emptiest;
    int64_t fewest = 0;
    for (const Corner corner : {Corner::LowerRight, Corner::LowerLeft, Corner::UpperRight, Corner::UpperLeft}) {
        const auto [left, top] = BoxPlace(corner, pictureWidth, pictureHeight, width, height, padding);
        int64_t drawn = 0;
        for (int y = std::max(top, 0); y < top + height; ++y)
            for (int x = std::max(left, 0); x < left + width; ++x) {
                const std::optional<platform::TColor> shown = canvas.ShownPixel(x, y);
                drawn += shown && *shown != background;
            }
        if (!emptiest || drawn < fewest) {
            emptiest = corner;
            fewest = drawn;
        }
    }
    return emptiest;
}

std::optional<LegendBox> DrawLegendBox(platform::Canvas& canvas, int pictureWidth, int pictureHeight, int contentWidth,
                                       int contentHeight, platform::TColor colour, Corner corner) {
    const int textSize = LegendTextSize(pictureWidth, pictureHeight);
    const int padding = LegendPadding(textSize);
    const int width = contentWidth + 2 * padding, height = contentHeight + 2 * padding;
    const auto [left, top] = BoxPlace(corner, pictureWidth, pictureHeight, width, height, padding);
    if (left < 0 || top < 0 || width + 2 * padding > pictureWidth || height + 2 * padding > pictureHeight)
        return std::nullopt;
    canvas.BeginShape();
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(colour);
    canvas.FillRect(left, top, left + width, top + height);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.FillRect(left + 1, top + 1, left + width - 1, top + height - 1);
    return LegendBox{left + padding, top + padding, textSize};
}

namespace {
// The room the sample arrow takes before the text: its length and a gap.
int ArrowRoom(double sampleArrow, int textSize) {
    return sampleArrow > 0 ? static_cast<int>(std::ceil(sampleArrow)) + textSize / 2 : 0;
}
}  // namespace

int DisplayLegend::Width(int textSize) const {
    return ArrowRoom(sampleArrow, textSize) + platform::MeasureText(text, textSize).width;
}

int DisplayLegend::Height(int textSize) const { return platform::MeasureText(text, textSize).height; }

void DisplayLegend::Draw(platform::Canvas& canvas, int pictureWidth, int pictureHeight, platform::TColor colour,
                         Corner corner) const {
    const int textSize = LegendTextSize(pictureWidth, pictureHeight);
    const std::optional<LegendBox> box =
        DrawLegendBox(canvas, pictureWidth, pictureHeight, Width(textSize), Height(textSize), colour, corner);
    if (!box) return;
    canvas.SetPenColor(colour);
    if (sampleArrow > 0) {
        // Level with the middle of the digits.
        const platform::TextExtent extent = platform::MeasureText(text, textSize);
        DrawArrow(canvas, box->left, box->top + extent.baseline - textSize * 3 / 8, sampleArrow, 0);
        canvas.BeginShape();
    }
    canvas.DrawText(box->left + ArrowRoom(sampleArrow, textSize), box->top, text, textSize);
}

}  // namespace brevanto::display
