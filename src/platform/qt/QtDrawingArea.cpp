#include "platform/qt/QtDrawingArea.h"

#include <QPainter>
#include <QRegion>

#include "platform/qt/QtConversions.h"

namespace platform {

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
    update();
}

void QtDrawingArea::SetBackground(TColor colour) {
    background = colour;
    update();
}

void QtDrawingArea::resizeEvent(QResizeEvent*) {
    if (resized) resized();
}

// Beside a picture smaller than the area a darker margin shows where the
// picture ends.
void QtDrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface);
    const QRect picture(QPoint(0, 0), surfaceSize);
    for (const QRect& part : QRegion(rect()).subtracted(picture))
        painter.fillRect(part, palette().color(QPalette::Mid));
}

}  // namespace platform
