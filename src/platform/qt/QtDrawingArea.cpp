// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtDrawingArea.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "platform/qt/QtConversions.h"

namespace brevanto::platform {

namespace {

// The view's scale stays between these, and each zoom step multiplies it by
// kZoomStep or divides it.
constexpr double kSmallestScale = 1.0 / 16;
constexpr double kLargestScale = 32;
constexpr double kZoomStep = 1.25;
// However far the picture is moved, this much of it stays in view.
constexpr double kKeptInView = 32;

}  // namespace

QtDrawingArea::QtDrawingArea(QWidget* parent) : QWidget(parent) {
    // The caption follows the mouse even without a button held.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtDrawingArea::SetSurfaceSize(QSize size) {
    surfaceSize = size;
    surface = QImage(size, QImage::Format_RGB32);
    surface.fill(ToQColor(background));
    updateGeometry();
    fitted = true;
    Fit();
}

void QtDrawingArea::SetBackground(TColor colour) {
    background = colour;
    update();
}

QPoint QtDrawingArea::ToPicture(QPointF position) const {
    const QPointF pixel = (position - offset) / scale;
    return {static_cast<int>(std::floor(pixel.x())), static_cast<int>(std::floor(pixel.y()))};
}

QPointF QtDrawingArea::FromPicture(QPoint pixel) const { return offset + QPointF(pixel) * scale; }

void QtDrawingArea::Zoom(ViewZoom zoom) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    switch (zoom) {
        case ViewZoom::In: ZoomSteps(1, centre); break;
        case ViewZoom::Out: ZoomSteps(-1, centre); break;
        case ViewZoom::Fit:
            fitted = true;
            Fit();
            break;
    }
}

void QtDrawingArea::ZoomSteps(double steps, QPointF anchor) {
    const double newScale = std::clamp(scale * std::pow(kZoomStep, steps), kSmallestScale, kLargestScale);
    offset = anchor - (anchor - offset) * (newScale / scale);
    scale = newScale;
    fitted = false;
    PanBy({0, 0});
}

void QtDrawingArea::PanBy(QPointF delta) {
    const QSizeF shown = QSizeF(surfaceSize) * scale;
    const double keptX = std::min(kKeptInView, shown.width());
    const double keptY = std::min(kKeptInView, shown.height());
    offset += delta;
    offset.setX(std::clamp(offset.x(), keptX - shown.width(), std::max(width() - keptX, keptX - shown.width())));
    offset.setY(std::clamp(offset.y(), keptY - shown.height(), std::max(height() - keptY, keptY - shown.height())));
    update();
}

// A widget not shown yet has no size of its own: its picture shows at its
// own size until then.
void QtDrawingArea::Fit() {
    scale = 1;
    if (isVisible() && !surfaceSize.isEmpty() && width() > 0 && height() > 0)
        scale = std::min({1.0, static_cast<double>(width()) / surfaceSize.width(),
                          static_cast<double>(height()) / surfaceSize.height()});
    offset = {0, 0};
    update();
}

void QtDrawingArea::resizeEvent(QResizeEvent*) {
    if (fitted) Fit();
    if (resized) resized();
}

// Around the picture a darker margin shows where it ends. At its own size
// and larger each picture pixel is a sharp square; smaller, neighbouring
// pixels are blended, so that thin lines do not vanish.
void QtDrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF picture(offset, QSizeF(surfaceSize) * scale);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1);
    painter.drawImage(picture, surface);
}

}  // namespace brevanto::platform
