// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QImage>
#include <QWidget>

#include "platform/Colour.h"
#include "platform/Window.h"
#include "platform/qt/QtCanvas.h"

namespace brevanto::platform {

// The main window's drawing area. What the program draws on the window goes
// into a surface image of the picture's size, which this widget shows, at
// its own size or scaled and moved (the view); the rest of the widget shows
// a darker margin.
class QtDrawingArea : public QWidget {
    Q_OBJECT

public:
    explicit QtDrawingArea(QWidget* parent = nullptr);

    // Kept apart from the image, which has no size while one side is zero.
    QSize SurfaceSize() const { return surfaceSize; }
    // The new surface shows the window colour until something is drawn; the
    // view fits it.
    void SetSurfaceSize(QSize size);
    Canvas& GetCanvas() { return canvas; }
    const QImage& Surface() const { return surface; }

    TColor Background() const { return background; }
    void SetBackground(TColor colour);

    QSize sizeHint() const override { return surfaceSize; }

    // The view: how many widget pixels a picture pixel takes, and where the
    // picture's pixel (0, 0) lies in the widget.
    double Scale() const { return scale; }
    QPointF Offset() const { return offset; }
    // The picture pixel under a point of the widget, and back (the pixel's
    // upper left corner).
    QPoint ToPicture(QPointF position) const;
    QPointF FromPicture(QPoint pixel) const;
    // A step larger or smaller about the widget's centre, or fitted: the
    // whole picture, at most at its own size, from the upper left corner.
    // A fitted view stays fitted when the widget changes size.
    void Zoom(ViewZoom zoom);
    // Scaled by `steps` zoom steps (a notch of the wheel is one, negative
    // for smaller) about a point of the widget, which stays over the same
    // picture point.
    void ZoomSteps(double steps, QPointF anchor);
    // Moves the picture by this many widget pixels, as far as some of it
    // stays in view.
    void PanBy(QPointF delta);

    // Runs after the widget took another size.
    std::function<void()> resized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();

    QSize surfaceSize{0, 0};
    QImage surface;
    QtCanvas canvas{surface, [this] { update(); }};
    TColor background = kButtonFaceColour;
    double scale = 1;
    QPointF offset{0, 0};
    bool fitted = true;
};

}  // namespace brevanto::platform
