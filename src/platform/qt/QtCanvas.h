// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QImage>

#include "platform/PixelCanvas.h"

namespace brevanto::platform {

// Draws into a QImage in 32-bit RGB. The pixels follow the program's own
// rules, the ones the headless picture follows too: Qt's aliased strokes
// differ from them by a pixel here and there (they even drop the start
// instead of the end of some lines).
class QtCanvas : public PixelCanvas {
public:
    // `drawn` runs after every operation that changed the image.
    explicit QtCanvas(QImage& image, std::function<void()> drawn = {});
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void DrawBitmapPart(const Bitmap& bitmap, int left, int top, int right, int bottom) override;

private:
    int SurfaceWidth() const override { return image.width(); }
    int SurfaceHeight() const override { return image.height(); }
    TColor ToRgb(TColor colour) const override;
    TColor SurfacePixel(int x, int y) const override;
    void FillSpan(int y, int first, int last, TColor rgb) override;
    void PixelsChanged() override;

    QImage& image;
    std::function<void()> drawn;
};

}  // namespace brevanto::platform
