#include "platform/qt/QtWindow.h"

#include <optional>

#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

namespace platform {

namespace {

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return std::nullopt;
    }
}

}  // namespace

// A title bar without system menu, minimise, maximise or close box.
QtWindow::QtWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), area(new QtDrawingArea) {
    setCentralWidget(area);
    area->resized = [this] { FitSurfaceToArea(); };
    area->installEventFilter(this);
}

void QtWindow::SetCaption(const std::string& newCaption) {
    caption = newCaption;
    setWindowTitle(QString::fromStdString(caption));
}

void QtWindow::SetMenu(std::vector<MenuItem> menu) {
    menuBar()->clear();
    menuItems = std::move(menu);
    AddMenuItems(menuBar(), menuItems);
}

// The actions refer to the items kept in menuItems, which stay put until the
// next SetMenu clears the menu bar.
void QtWindow::AddMenuItems(QWidget* parent, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        const QString text = QString::fromStdString(item.caption);
        if (!item.children.empty()) {
            auto* menu = new QMenu(text, parent);
            AddMenuItems(menu, item.children);
            parent->addAction(menu->menuAction());
            continue;
        }
        auto* action = new QAction(text, parent);
        action->setObjectName(QString::fromStdString(item.name));
        connect(action, &QAction::triggered, this, [&item] {
            if (item.action) item.action();
        });
        parent->addAction(action);
    }
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        // The second press of a double click is a press like the first.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const std::optional<MouseButton> button = ButtonOf(mouse->button());
            const QPoint at = mouse->position().toPoint();
            if (!button || events == nullptr) return true;
            if (event->type() == QEvent::MouseButtonRelease)
                events->MouseReleased(*button, at.x(), at.y());
            else
                events->MousePressed(*button, mouse->buttons().testFlag(Qt::LeftButton), at.x(), at.y());
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            if (events != nullptr) events->MouseMoved(mouse->buttons().testFlag(Qt::LeftButton), at.x(), at.y());
            return true;
        }
        default: return QMainWindow::eventFilter(watched, event);
    }
}

// Before the window is shown its frame is not known and counts as none; once
// a window manager has maximised it, the drawing area is as large as it gets.
QSize QtWindow::LargestClientSize() const {
    if (isVisible() && isMaximized()) return area->size();
    const QSize frame = frameGeometry().size() - geometry().size();
    return screen()->availableGeometry().size() - frame - QSize(0, menuBar()->sizeHint().height());
}

void QtWindow::SetClientSize(QSize requested) {
    requestedClientSize = requested;
    area->SetSurfaceSize(requested.boundedTo(LargestClientSize()).expandedTo(QSize(0, 0)));
    if (isMaximized()) return;
    // Without a window manager nothing maximises the window: size it to the
    // drawing area and centre it on the screen.
    resize(area->SurfaceSize() + QSize(0, menuBar()->sizeHint().height()));
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void QtWindow::FitSurfaceToArea() {
    if (!isVisible()) return;
    const QSize fitted = requestedClientSize.boundedTo(LargestClientSize()).expandedTo(QSize(0, 0));
    if (fitted == area->SurfaceSize()) return;
    area->SetSurfaceSize(fitted);
    if (events != nullptr) events->DrawingAreaResized();
}

void QtWindow::SetClientWidth(int width) { SetClientSize({width, ClientHeight()}); }

void QtWindow::SetClientHeight(int height) { SetClientSize({ClientWidth(), height}); }

}  // namespace platform
