#pragma once
#include <functional>

#include <QImage>
#include <QPoint>

#include "platform/Canvas.h"

class QPainter;

namespace platform {

// Draws into a QImage with the pixel rules of the Windows GDI that the
// program's pictures were designed with: lines leave out their end point,
// rectangles and ellipses their right and bottom edge, and nothing is
// antialiased. Qt's own aliased strokes differ by a pixel here and there
// (they even drop the start instead of the end of some lines), so the
// canvas works out the pixels itself and only fills them with QPainter.
class QtCanvas : public Canvas {
public:
    // `drawn` runs after every operation that may have changed the image.
    explicit QtCanvas(QImage& image, std::function<void()> drawn = {});
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void SetPenColor(TColor colour) override { pen = colour; }
    void SetBrushColor(TColor colour) override { brush = colour; }
    void SetBrushStyle(BrushStyle style) override { brushStyle = style; }
    void MoveTo(int x, int y) override { penPosition = {x, y}; }
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override;
    void DrawBitmap(const Bitmap& bitmap) override;

private:
    void Paint(const std::function<void(QPainter&)>& draw);

    QImage& image;
    std::function<void()> drawn;
    TColor pen = 0;
    TColor brush = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    QPoint penPosition;
};

}  // namespace platform
