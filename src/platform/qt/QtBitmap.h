// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

#include "platform/Bitmap.h"
#include "platform/qt/QtCanvas.h"

namespace brevanto::platform {

// An off-screen picture: a QImage in 32-bit RGB.
class QtBitmap : public Bitmap {
public:
    QtBitmap(int width, int height);
    QtBitmap(const QtBitmap&) = delete;
    QtBitmap& operator=(const QtBitmap&) = delete;

    int Width() const override { return image.width(); }
    int Height() const override { return image.height(); }
    // A new picture is white, as a fresh Windows bitmap.
    void SetSize(int width, int height) override;
    Canvas& GetCanvas() override { return canvas; }
    void SaveToFile(const std::string& fileName, PictureFormat format) const override;

    const QImage& Image() const { return image; }

private:
    QImage image;
    QtCanvas canvas{image};
};

}  // namespace brevanto::platform
