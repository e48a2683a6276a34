#pragma once
#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>

#include "platform/Window.h"
#include "platform/qt/QtDrawingArea.h"

class TForm1;
struct MenuItem;

namespace platform {

// The main window: the menu bar built from the program's menu tree above the
// drawing area. Menu commands and mouse events on the drawing area go to the
// attached form.
class QtWindow : public QMainWindow, public Window {
    Q_OBJECT

public:
    QtWindow();

    void Attach(TForm1& form) { attached = &form; }

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

    QtDrawingArea& DrawingArea() { return *area; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddMenuItems(QWidget* parent, const std::vector<MenuItem>& items);
    void Dispatch(const std::function<void(TForm1&)>& action);
    QSize LargestClientSize() const;
    void SetClientSize(QSize requested);

    QtDrawingArea* area;
    TForm1* attached = nullptr;
    std::string caption;
};

}  // namespace platform
