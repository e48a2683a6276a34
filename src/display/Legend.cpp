#include "display/Legend.h"

#include "platform/PixelFont.h"

void DrawLegend(platform::Canvas& canvas, int width, int height, platform::TColor colour, const std::string& text) {
    constexpr int kPadding = 4, kMargin = 6;
    const int boxWidth = static_cast<int>(text.size()) * platform::kGlyphAdvance + 2 * kPadding;
    const int boxHeight = platform::kGlyphHeight + 2 * kPadding;
    const int right = width - kMargin, bottom = height - kMargin;
    const int left = right - boxWidth, top = bottom - boxHeight;
    canvas.BeginShape();
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.FillRect(left, top, right, bottom);
    canvas.SetPenColor(0x000000);
    canvas.MoveTo(left, top);
    canvas.LineTo(right - 1, top);
    canvas.LineTo(right - 1, bottom - 1);
    canvas.LineTo(left, bottom - 1);
    canvas.LineTo(left, top);
    canvas.SetPenColor(colour);
    canvas.TextOut(left + kPadding, top + kPadding, text);
}
