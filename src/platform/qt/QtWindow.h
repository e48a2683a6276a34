#pragma once
#include <string>
#include <vector>

#include <QMainWindow>

#include "platform/Window.h"
#include "platform/qt/QtDrawingArea.h"

namespace platform {

// The main window: the menu bar built from the program's menu tree above the
// drawing area. Mouse events on the drawing area go to the events' receiver.
class QtWindow : public QMainWindow, public Window {
    Q_OBJECT

public:
    QtWindow();

    void SetCaption(const std::string& caption) override;
    std::string Caption() const override { return caption; }
    int ClientWidth() const override { return area->SurfaceSize().width(); }
    int ClientHeight() const override { return area->SurfaceSize().height(); }
    // Limited to what the screen leaves beside the frame and the menu bar.
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;
    TColor Color() const override { return area->Background(); }
    void SetColor(TColor colour) override { area->SetBackground(colour); }
    Canvas& GetCanvas() override { return area->GetCanvas(); }
    void Close() override { close(); }
    void SetMenu(std::vector<MenuItem> menu) override;
    void SetEvents(WindowEvents* receiver) override { events = receiver; }

    QtDrawingArea& DrawingArea() { return *area; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddMenuItems(QWidget* parent, const std::vector<MenuItem>& items);
    QSize LargestClientSize() const;
    void SetClientSize(QSize requested);
    // After the window system resized the drawing area: the surface takes
    // the size last asked for, as far as the area now allows.
    void FitSurfaceToArea();

    QtDrawingArea* area;
    WindowEvents* events = nullptr;
    QSize requestedClientSize{0, 0};
    std::vector<MenuItem> menuItems;
    std::string caption;
};

}  // namespace platform
