// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace brevanto::platform {

// A picture kept as vector graphics (SVG): what is drawn into it becomes one
// element a shape (Canvas::BeginShape): a path for each run of lines, an
// ellipse, an arc, a rectangle, a text, in the colours they were drawn in.
// It keeps positions as computed (Canvas::LineToExact and the like), so a
// stream line is one smooth polyline through its traced points.
class SvgPicture : public Bitmap, private Canvas {
public:
    SvgPicture(int width, int height);

    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetSize(int newWidth, int newHeight) override;
    Canvas& GetCanvas() override { return *this; }
    // Writes the SVG document, whatever the format; throws InOutError.
    void SaveToFile(const std::string& fileName, PictureFormat format) const override;
    void Write(const std::string& fileName) const;

    std::string Text() const;

private:
    void SetPenColor(TColor colour) override { pen = colour; }
    void SetBrushColor(TColor colour) override { brush = colour; }
    void SetBrushStyle(BrushStyle style) override { brushStyle = style; }
    void MoveTo(int x, int y) override { MoveToExact(x, y); }
    void LineTo(int x, int y) override { LineToExact(x, y); }
    void FillRect(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override { EllipseExact(left, top, right, bottom); }
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override;
    void DrawBitmapPart(const Bitmap&, int, int, int, int) override {}
    void TextOut(int x, int y, const std::string& text) override;
    void DrawText(int x, int y, const std::string& text, int pixelSize) override;
    void BeginShape() override { EndPath(); }
    void MoveToExact(double x, double y) override;
    void LineToExact(double x, double y) override;
    void EllipseExact(double left, double top, double right, double bottom) override;
    double Landed(double value) const override { return value; }

    // Ends the run of lines being drawn, which becomes one path.
    void EndPath();

    int width;
    int height;
    std::vector<std::string> elements;
    std::string path;  // the current run of lines
    TColor pathColour = 0;
    double pathEndX = 0;  // where the path's last line ended
    double pathEndY = 0;
    TColor pen = 0;
    TColor brush = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    double penX = 0;
    double penY = 0;
};

}  // namespace brevanto::platform
