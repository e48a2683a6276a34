#pragma once
#include <functional>

#include <QImage>
#include <QWidget>

#include "platform/Colour.h"
#include "platform/qt/QtCanvas.h"

namespace platform {

// The main window's drawing area. What the program draws on the window goes
// into a surface image of the drawing area's size, which this widget shows;
// the rest of the widget shows the window colour.
class QtDrawingArea : public QWidget {
    Q_OBJECT

public:
    explicit QtDrawingArea(QWidget* parent = nullptr);

    // Kept apart from the image, which has no size while one side is zero.
    QSize SurfaceSize() const { return surfaceSize; }
    // The new surface shows the window colour until something is drawn.
    void SetSurfaceSize(QSize size);
    Canvas& GetCanvas() { return canvas; }
    const QImage& Surface() const { return surface; }

    TColor Background() const { return background; }
    void SetBackground(TColor colour);

    QSize sizeHint() const override { return surfaceSize; }

    // Runs after the widget took another size.
    std::function<void()> resized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize surfaceSize{0, 0};
    QImage surface;
    QtCanvas canvas{surface, [this] { update(); }};
    TColor background = kButtonFaceColour;
};

}  // namespace platform
