// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtCanvas.h"

#include <algorithm>

#include <QPainter>

#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtConversions.h"

namespace brevanto::platform {

QtCanvas::QtCanvas(QImage& target, std::function<void()> afterDrawing)
    : image(target), drawn(std::move(afterDrawing)) {}

TColor QtCanvas::ToRgb(TColor colour) const {
    const QColor shown = ToQColor(colour);
    return RgbColour(shown.red(), shown.green(), shown.blue());
}

TColor QtCanvas::SurfacePixel(int x, int y) const {
    const QRgb shown = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return RgbColour(qRed(shown), qGreen(shown), qBlue(shown));
}

void QtCanvas::FillSpan(int y, int first, int last, TColor rgb) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(row + first, row + last + 1, qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
}

void QtCanvas::PixelsChanged() {
    if (drawn) drawn();
}

void QtCanvas::DrawBitmapPart(const Bitmap& bitmap, int left, int top, int right, int bottom) {
    const auto* source = dynamic_cast<const QtBitmap*>(&bitmap);
    if (source == nullptr || source->Image().isNull() || image.isNull()) return;
    const QRect part = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
                           .intersected(image.rect())
                           .intersected(source->Image().rect());
    if (part.isEmpty()) return;
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(part.topLeft(), source->Image(), part);
    }
    PixelsChanged();
}

}  // namespace brevanto::platform
