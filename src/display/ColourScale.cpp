// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/ColourScale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

#include "display/Legend.h"
#include "platform/Canvas.h"
#include "platform/TextFont.h"

namespace brevanto::display {

namespace {

constexpr int kSteps = 256;

// Points of the perceptually even "viridis" ramp, evenly spaced over [0, 1];
// the steps between them are interpolated linearly.
constexpr std::array<std::array<int, 3>, 9> kRampPoints{{
    {68, 1, 84},
    {71, 44, 122},
    {59, 81, 139},
    {44, 113, 142},
    {33, 144, 141},
    {39, 173, 129},
    {92, 200, 99},
    {170, 220, 50},
    {253, 231, 37},
}};

std::array<platform::TColor, kSteps> MakeRamp() {
    std::array<platform::TColor, kSteps> ramp{};
    for (int i = 0; i < kSteps; ++i) {
        const double at = static_cast<double>(i) / (kSteps - 1) * (kRampPoints.size() - 1);
        const size_t below = std::min(static_cast<size_t>(at), kRampPoints.size() - 2);
        const double t = at - static_cast<double>(below);
        int rgb[3];
        for (size_t c = 0; c < 3; ++c)
            rgb[c] = static_cast<int>(std::lround(kRampPoints[below][c] * (1 - t) + kRampPoints[below + 1][c] * t));
        ramp[static_cast<size_t>(i)] = platform::RgbColour(rgb[0], rgb[1], rgb[2]);
    }
    return ramp;
}

}  // namespace

platform::TColor RampColour(double t) {
    static const std::array<platform::TColor, kSteps> ramp = MakeRamp();
    const double cut = std::isnan(t) ? 0 : std::clamp(t, 0.0, 1.0);
    return ramp[static_cast<size_t>(std::lround(cut * (kSteps - 1)))];
}

int RampStep(platform::TColor colour) {
    static const std::map<platform::TColor, int> steps = [] {
        std::map<platform::TColor, int> byColour;
        const std::array<platform::TColor, kSteps> ramp = MakeRamp();
        for (int i = kSteps - 1; i >= 0; --i) byColour[ramp[static_cast<size_t>(i)]] = i;
        return byColour;
    }();
    const auto found = steps.find(colour);
    return found == steps.end() ? -1 : found->second;
}

bool MoreThanAStepApart(platform::TColor a, platform::TColor b) {
    const int stepA = RampStep(a), stepB = RampStep(b);
    if (stepA < 0 || stepB < 0) return (stepA < 0) != (stepB < 0);
    return std::abs(stepA - stepB) > 1;
}

double ValueScale::Fraction(double value) const {
    double f;
    if (logarithmic)
        f = value > 0 ? std::log(value / low) / std::log(high / low) : 0;
    else
        f = (value - low) / (high - low);
    return std::isfinite(f) ? std::clamp(f, 0.0, 1.0) : 0;
}

double ValueScale::ValueAt(double fraction) const {
    return logarithmic ? low * std::pow(high / low, fraction) : low + (high - low) * fraction;
}

std::string LegendNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 3);
    return std::string(text, result.ptr);
}

void DrawColourLegend(platform::Canvas& canvas, int pictureWidth, int pictureHeight, const std::string& title,
                      const ValueScale& scale, platform::TColor colour) {
    using platform::MeasureText;
    const int textSize = LegendTextSize(pictureWidth, pictureHeight);
    const int gap = LegendPadding(textSize) / 2, barWidth = std::max(kSteps, 14 * textSize);
    const platform::TextExtent titleExtent = MeasureText(title, textSize);
    const int lineHeight = titleExtent.height;
    const std::optional<LegendBox> box =
        DrawLegendBox(canvas, pictureWidth, pictureHeight, std::max(barWidth, titleExtent.width),
                      lineHeight + gap + textSize + gap + lineHeight, colour);
    if (!box) return;
    canvas.SetPenColor(colour);
    canvas.DrawText(box->left, box->top, title, textSize);
    const int barTop = box->top + lineHeight + gap;
    for (int i = 0; i < barWidth; ++i) {
        canvas.SetBrushColor(RampColour(static_cast<double>(i) / (barWidth - 1)));
        canvas.FillRect(box->left + i, barTop, box->left + i + 1, barTop + textSize);
    }
    const int labels = barTop + textSize + gap;
    const std::string low = LegendNumber(scale.ValueAt(0)), middle = LegendNumber(scale.ValueAt(0.5)),
                      high = LegendNumber(scale.ValueAt(1));
    canvas.DrawText(box->left, labels, low, textSize);
    canvas.DrawText(box->left + (barWidth - MeasureText(middle, textSize).width) / 2, labels, middle, textSize);
    canvas.DrawText(box->left + barWidth - MeasureText(high, textSize).width, labels, high, textSize);
}

}  // namespace brevanto::display
