#include "display/Legend.h"

#include "platform/PixelFont.h"

namespace {
constexpr int kPadding = 8;  // between the frame and the content
constexpr int kMargin = 8;   // between the box and the picture's border
}  // namespace

std::optional<LegendBox> DrawLegendBox(platform::Canvas& canvas, int pictureWidth, int pictureHeight, int contentWidth,
                                       int contentHeight, platform::TColor colour) {
    const int width = contentWidth + 2 * kPadding, height = contentHeight + 2 * kPadding;
    const int left = pictureWidth - kMargin - width, top = pictureHeight - kMargin - height;
    if (left < 0 || top < 0) return std::nullopt;
    canvas.BeginShape();
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(colour);
    canvas.FillRect(left, top, left + width, top + height);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.FillRect(left + 1, top + 1, left + width - 1, top + height - 1);
    return LegendBox{left + kPadding, top + kPadding};
}

void DrawLegend(platform::Canvas& canvas, int pictureWidth, int pictureHeight, platform::TColor colour,
                const std::string& text) {
    const std::optional<LegendBox> box =
        DrawLegendBox(canvas, pictureWidth, pictureHeight, platform::TextWidth(text), platform::kTextHeight, colour);
    if (!box) return;
    canvas.SetPenColor(colour);
    canvas.TextOut(box->left, box->top, text);
}
