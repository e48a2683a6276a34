#pragma once
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {

// A picture held in memory, drawn pixel by pixel: the picture of the headless
// platform and of the command-line tool.
class RasterBitmap : public Bitmap, private Canvas {
public:
    RasterBitmap(int width, int height);

    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetSize(int newWidth, int newHeight) override;
    Canvas& GetCanvas() override { return *this; }
    void SaveToFile(const std::string& fileName) const override;

    // The RGB value (0x00BBGGRR) of a pixel; 0 outside the picture.
    TColor Pixel(int x, int y) const;

    std::vector<uint8_t> BmpBytes() const;
    std::vector<uint8_t> PngBytes() const;

private:
    void SetPenColor(TColor colour) override { pen = colour; }
    void SetBrushColor(TColor colour) override { brush = colour; }
    void SetBrushStyle(BrushStyle style) override { brushStyle = style; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override;
    void DrawBitmap(const Bitmap& bitmap) override;

    void Plot(int x, int y, TColor colour);
    template <class Select>
    void PlotEllipseOutline(int left, int top, int right, int bottom, Select select);

    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;
    TColor pen = 0;
    TColor brush = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    int penX = 0;
    int penY = 0;
};

}  // namespace platform
