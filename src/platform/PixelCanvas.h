// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Canvas.h"

namespace brevanto::platform {

// The pixel rules of the Windows GDI, which the program's pictures were
// designed with, for every surface the program draws on: a line leaves out
// its end point, rectangles and ellipses leave out their right and bottom
// edge, and nothing is antialiased but the text of DrawText. Every surface thus shows the same pixels;
// it only supplies its size, its colours and a way to fill part of a row.
//
// Coordinates may lie anywhere in the int range: a shape costs only its
// visible part, and a line cut off by the surface's edge keeps its slope.
class PixelCanvas : public Canvas {
public:
    void SetPenColor(TColor colour) final { pen = colour; }
    void SetBrushColor(TColor colour) final { brush = colour; }
    void SetBrushStyle(BrushStyle style) final { brushStyle = style; }
    void MoveTo(int x, int y) final;
    void LineTo(int x, int y) final;
    void FillRect(int left, int top, int right, int bottom) final;
    void Ellipse(int left, int top, int right, int bottom) final;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) final;
    void TextOut(int x, int y, const std::string& text) final;
    void DrawText(int x, int y, const std::string& text, int pixelSize) final;
    std::optional<TColor> ShownPixel(int x, int y) const final;

protected:
    // The surface holds columns 0 to width - 1 of rows 0 to height - 1.
    virtual int SurfaceWidth() const = 0;
    virtual int SurfaceHeight() const = 0;
    // The RGB value (0x00BBGGRR) that the surface shows for a colour.
    virtual TColor ToRgb(TColor colour) const = 0;
    // The RGB value of a pixel on the surface.
    virtual TColor SurfacePixel(int x, int y) const = 0;
    // Sets columns first to last of row y, all on the surface, to an RGB value.
    virtual void FillSpan(int y, int first, int last, TColor rgb) = 0;
    // Runs once after each drawing operation that filled any pixel.
    virtual void PixelsChanged() {}
    // Sets every pixel to an RGB value, if the surface has a quicker way than
    // row by row; true when it did.
    virtual bool FillWhole(TColor) { return false; }

private:
    template <class Draw>
    void Paint(Draw draw);

    TColor pen = 0;
    TColor brush = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    int penX = 0;
    int penY = 0;
};

}  // namespace brevanto::platform
