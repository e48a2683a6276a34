// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <climits>
#include <optional>
#include <string>

#include "platform/Colour.h"
#include "platform/Rounding.h"

namespace brevanto::platform {

class Bitmap;

enum class BrushStyle { Solid, Hollow };

// A drawing surface in window pixels, x to the right and y downward.
// Rectangles and ellipses exclude their right and bottom edge; a line excludes
// its end point, which becomes the pen position.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetPenColor(TColor colour) = 0;
    virtual void SetBrushColor(TColor colour) = 0;
    virtual void SetBrushStyle(BrushStyle style) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    // Outlined with the pen, filled with the brush unless it is hollow.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Part of the ellipse in the box, drawn counter-clockwise on the screen from
    // the ray through the start point to the ray through the end point.
    virtual void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) = 0;
    // Copies the whole bitmap with its top-left corner at (0, 0).
    void DrawBitmap(const Bitmap& bitmap) { DrawBitmapPart(bitmap, 0, 0, INT_MAX, INT_MAX); }
    // Copies the bitmap's pixels from the columns left to right - 1 and the
    // rows top to bottom - 1 to the same place, as far as both reach.
    virtual void DrawBitmapPart(const Bitmap& bitmap, int left, int top, int right, int bottom) = 0;
    // Writes the text with the pen in the program's small font (PixelFont),
    // its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Writes the text with the pen in the program's font (TextFont),
    // antialiased, at pixelSize, the top-left corner of its extent at (x, y).
    virtual void DrawText(int x, int y, const std::string& text, int pixelSize) = 0;
    // The RGB value a pixel on the surface shows; nothing where the canvas
    // holds no pixels (a vector picture) or (x, y) lies off it.
    virtual std::optional<TColor> ShownPixel(int, int) const { return std::nullopt; }
    // The calls that follow, up to the next BeginShape, draw one shape: an
    // object, an arrow, a stream line. Only a vector picture keeps shapes.
    virtual void BeginShape() {}

    // Positions as computed, in fractions of a pixel. A vector picture keeps
    // them; a raster canvas draws the calls above at the nearest pixels
    // (NearestInt32), as the displays have always drawn.
    virtual void MoveToExact(double x, double y) { MoveTo(NearestInt32(x), NearestInt32(y)); }
    virtual void LineToExact(double x, double y) { LineTo(NearestInt32(x), NearestInt32(y)); }
    virtual void EllipseExact(double left, double top, double right, double bottom) {
        Ellipse(NearestInt32(left), NearestInt32(top), NearestInt32(right), NearestInt32(bottom));
    }
    // Where a computed position or length lands: the nearest pixel, or itself
    // on a vector picture. A shape built on a landed value (an arrow's head on
    // its tip, a disc's box on its radius) thus keeps its pixels on a raster.
    virtual double Landed(double value) const { return NearestInt32(value); }
};

}  // namespace brevanto::platform
