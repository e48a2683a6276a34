#include "display/ColourScale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "display/PixelFont.h"

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

// The legend's layout in pixels: its text at dots of two pixels.
constexpr int kDot = 2;
constexpr int kTextHeight = pixelfont::kRows * kDot;
constexpr int kPadding = 8;
constexpr int kGap = 5;
constexpr int kBarHeight = 16;
constexpr int kMargin = 8;  // between the box and the picture's border

}  // namespace

platform::TColor RampColour(double t) {
    static const std::array<platform::TColor, kSteps> ramp = MakeRamp();
    const double cut = std::isnan(t) ? 0 : std::clamp(t, 0.0, 1.0);
    return ramp[static_cast<size_t>(std::lround(cut * (kSteps - 1)))];
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

void DrawLegend(platform::Canvas& canvas, int pictureWidth, int pictureHeight, const std::string& title,
                const ValueScale& scale, platform::TColor colour) {
    const int width = std::max(kSteps, pixelfont::TextWidth(title, kDot)) + 2 * kPadding;
    const int height = kPadding + kTextHeight + kGap + kBarHeight + kGap + kTextHeight + kPadding;
    const int left = pictureWidth - kMargin - width, top = pictureHeight - kMargin - height;
    if (left < 0 || top < 0) return;
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(colour);
    canvas.FillRect(left, top, left + width, top + height);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.FillRect(left + 1, top + 1, left + width - 1, top + height - 1);

    const int inner = left + kPadding;
    pixelfont::DrawText(canvas, inner, top + kPadding, title, colour, kDot);
    const int barTop = top + kPadding + kTextHeight + kGap;
    for (int i = 0; i < kSteps; ++i) {
        canvas.SetBrushColor(RampColour(static_cast<double>(i) / (kSteps - 1)));
        canvas.FillRect(inner + i, barTop, inner + i + 1, barTop + kBarHeight);
    }
    const int labels = barTop + kBarHeight + kGap;
    const std::string low = LegendNumber(scale.ValueAt(0)), middle = LegendNumber(scale.ValueAt(0.5)),
                      high = LegendNumber(scale.ValueAt(1));
    pixelfont::DrawText(canvas, inner, labels, low, colour, kDot);
    pixelfont::DrawText(canvas, inner + (kSteps - pixelfont::TextWidth(middle, kDot)) / 2, labels, middle, colour,
                        kDot);
    pixelfont::DrawText(canvas, inner + kSteps - pixelfont::TextWidth(high, kDot), labels, high, colour, kDot);
}
