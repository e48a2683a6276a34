// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QMainWindow>

#include "platform/Window.h"
#include "platform/qt/QtDrawingArea.h"

class QDockWidget;
class QLabel;

namespace brevanto::platform {

class QtLightMeter;

// The main window: the menu bar built from the program's menu tree above the
// drawing area, and a status line below it. Mouse events on the drawing area
// and the close box go to the events' receiver.
class QtWindow : public QMainWindow, public Window {
    Q_OBJECT

public:
    QtWindow();

    void SetCaption(const std::string& caption) override;
    std::string Caption() const override { return caption; }
    int ClientWidth() const override { return area->SurfaceSize().width(); }
    int ClientHeight() const override { return area->SurfaceSize().height(); }
    // Any size up to kLargestPictureSide; without a window manager the
    // window takes the picture's size, as far as the screen allows.
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;
    // What the screen leaves beside the frame, the menu bar and the status
    // line; once a window manager maximised the window, its drawing area.
    int AreaWidth() const override { return LargestClientSize().width(); }
    int AreaHeight() const override { return LargestClientSize().height(); }
    void ZoomView(ViewZoom zoom) override { area->Zoom(zoom); }
    TColor Color() const override { return area->Background(); }
    void SetColor(TColor colour) override { area->SetBackground(colour); }
    Canvas& GetCanvas() override { return area->GetCanvas(); }
    void Close() override { close(); }
    void SetMenu(std::vector<MenuItem> menu) override;
    void UpdateMenuStates() override;
    void SetEvents(WindowEvents* receiver) override { events = receiver; }
    void SetStatusText(const std::string& text) override;
    // The first measurement opens the panel in a dock at the window's right,
    // beside the drawing area; later ones update it, and open it again if it
    // was closed.
    void ShowMeasurement(const Measurement& measurement) override;
    void ClearMeasurement() override;
    void ShowReadings(const ReadingTable& readings) override;
    void ShowPlots(const std::vector<Plot>& plots) override;

    QtDrawingArea& DrawingArea() { return *area; }
    // The light meter's panel; nullptr before the first measurement.
    QtLightMeter* LightMeter() const { return lightMeter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The arrow keys that no control took, and the space bar held for
    // moving the view.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void AddMenuItems(QWidget* parent, const std::vector<MenuItem>& items);
    // What the window's bars take from its height.
    int BarsHeight() const;
    QSize LargestClientSize() const;
    void SetClientSize(QSize requested);
    // The mouse on the drawing area: what moves the view, and the rest for
    // the program in picture pixels.
    bool MouseEvent(QEvent* event);
    bool MovesView(const QMouseEvent& mouse);

    // The actions that can be disabled, and what they ask.
    std::vector<std::pair<QAction*, std::function<bool()>>> enabledRules;
    QtDrawingArea* area;
    QLabel* status;
    // The light meter's panel in its dock, made at its first use, shown.
    QtLightMeter& OpenLightMeter();
    QtLightMeter* lightMeter = nullptr;
    QDockWidget* meterDock = nullptr;
    WindowEvents* events = nullptr;
    std::string caption;
    // A drag goes on outside the picture, but only a press on it starts one.
    bool pressedOnPicture = false;
    // The view moves with the mouse while the middle button is held, or the
    // left one with the space bar held; from this widget point last.
    std::optional<QPointF> panningFrom;
    bool spaceHeld = false;
};

}  // namespace brevanto::platform
