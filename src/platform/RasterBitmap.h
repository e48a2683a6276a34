// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/PixelCanvas.h"

namespace brevanto::platform {

// A picture held in memory: the picture of the headless platform and of the
// command-line tool. A picture of one colour holds no pixels, so a large
// picture costs memory only once something is drawn into it.
class RasterBitmap : public Bitmap, private PixelCanvas {
public:
    RasterBitmap(int width, int height);

    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetSize(int newWidth, int newHeight) override;
    Canvas& GetCanvas() override { return *this; }
    void SaveToFile(const std::string& fileName, PictureFormat format) const override;

    // The RGB value (0x00BBGGRR) of a pixel; 0 outside the picture.
    TColor Pixel(int x, int y) const;

    std::vector<uint8_t> BmpBytes() const;
    std::vector<uint8_t> PngBytes() const;

private:
    int SurfaceWidth() const override { return width; }
    int SurfaceHeight() const override { return height; }
    TColor ToRgb(TColor colour) const override;
    TColor SurfacePixel(int x, int y) const override { return Pixel(x, y); }
    void FillSpan(int y, int first, int last, TColor rgb) override;
    void DrawBitmapPart(const Bitmap& bitmap, int left, int top, int right, int bottom) override;
    bool FillWhole(TColor rgb) override;
    // Gives every pixel its own entry, all of the one colour so far.
    void HoldPixels();

    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;  // row by row; empty while every pixel is `uniform`
    TColor uniform = 0xFFFFFF;
};

}  // namespace brevanto::platform
