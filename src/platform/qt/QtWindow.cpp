// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtWindow.h"

#include <optional>

#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QWheelEvent>

#include "platform/qt/QtLightMeter.h"

namespace brevanto::platform {

namespace {

HeldKeys HeldKeysOf(const QMouseEvent& mouse) {
    return {mouse.modifiers().testFlag(Qt::ShiftModifier), mouse.modifiers().testFlag(Qt::AltModifier)};
}

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return std::nullopt;
    }
}

// The program's own key first, then any other the desktop defines, so that
// every desktop has the keys the help lists (a plain X11 desktop defines none
// for Save As).
QList<QKeySequence> Keys(const char* own, QKeySequence::StandardKey desktops) {
    QList<QKeySequence> keys{QKeySequence(QString::fromLatin1(own))};
    for (const QKeySequence& key : QKeySequence::keyBindings(desktops))
        if (!keys.contains(key)) keys << key;
    return keys;
}

QList<QKeySequence> KeysOf(const MenuItem& item) {
    switch (item.key) {
        case StandardKey::None: break;
        case StandardKey::New: return Keys("Ctrl+N", QKeySequence::New);
        case StandardKey::Open: return Keys("Ctrl+O", QKeySequence::Open);
        case StandardKey::Save: return Keys("Ctrl+S", QKeySequence::Save);
        case StandardKey::SaveAs: return Keys("Ctrl+Shift+S", QKeySequence::SaveAs);
        case StandardKey::Quit: return Keys("Ctrl+Q", QKeySequence::Quit);
        case StandardKey::Undo: return Keys("Ctrl+Z", QKeySequence::Undo);
        // Both habits, whatever the desktop's own.
        case StandardKey::Redo:
            return {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))};
        // The Delete key alone: a plain X11 desktop adds Ctrl+D, which other
        // editors use for Duplicate.
        case StandardKey::Delete: return {QKeySequence(Qt::Key_Delete)};
        case StandardKey::Help: return Keys("F1", QKeySequence::HelpContents);
        case StandardKey::Cut: return Keys("Ctrl+X", QKeySequence::Cut);
        case StandardKey::Copy: return Keys("Ctrl+C", QKeySequence::Copy);
        case StandardKey::Paste: return Keys("Ctrl+V", QKeySequence::Paste);
        // Ctrl+= too: on many keyboards "+" needs Shift.
        case StandardKey::ZoomIn: return Keys("Ctrl++", QKeySequence::ZoomIn) << QKeySequence(QStringLiteral("Ctrl+="));
        case StandardKey::ZoomOut: return Keys("Ctrl+-", QKeySequence::ZoomOut);
    }
    if (item.shortcut.empty()) return {};
    return {QKeySequence(QString::fromStdString(item.shortcut))};
}

}  // namespace

// A title bar without system menu, minimise, maximise or close box.
QtWindow::QtWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      area(new QtDrawingArea),
      status(new QLabel) {
    setCentralWidget(area);
    statusBar()->addWidget(status);
    area->resized = [this] {
        if (isVisible() && events != nullptr) events->DrawingAreaResized();
    };
    area->installEventFilter(this);
}

void QtWindow::SetCaption(const std::string& newCaption) {
    caption = newCaption;
    setWindowTitle(QString::fromStdString(caption));
}

void QtWindow::SetStatusText(const std::string& text) { status->setText(QString::fromStdString(text)); }

QtLightMeter& QtWindow::OpenLightMeter() {
    if (lightMeter == nullptr) {
        lightMeter = new QtLightMeter(this);
        meterDock = new QDockWidget(QStringLiteral("Light meter"), this);
        meterDock->setObjectName(QStringLiteral("LightMeterDock"));
        meterDock->setWidget(lightMeter);
        addDockWidget(Qt::RightDockWidgetArea, meterDock);
    }
    meterDock->show();
    return *lightMeter;
}

void QtWindow::ShowMeasurement(const Measurement& measurement) { OpenLightMeter().Show(measurement); }

void QtWindow::ShowPlots(const std::vector<Plot>& plots) {
    if (lightMeter != nullptr || !plots.empty()) OpenLightMeter().ShowPlots(plots);
}

void QtWindow::ShowReadings(const ReadingTable& readings) {
    if (lightMeter != nullptr) lightMeter->ShowReadings(readings);
}

void QtWindow::ClearMeasurement() {
    if (lightMeter != nullptr) lightMeter->Clear();
}

// A command may give the window a new menu while its own item runs: the old
// menus leave the window at once and are deleted once the event loop is
// back. The actions hold copies of their items' functions, not the items.
void QtWindow::SetMenu(std::vector<MenuItem> menu) {
    for (QAction* old : menuBar()->actions()) {
        menuBar()->removeAction(old);
        if (QMenu* submenu = old->menu()) {
            submenu->setParent(nullptr);
            submenu->deleteLater();
        } else if (old->parent() == menuBar()) {
            old->setParent(nullptr);
            old->deleteLater();
        }
    }
    enabledRules.clear();
    AddMenuItems(menuBar(), menu);
    UpdateMenuStates();
}

void QtWindow::UpdateMenuStates() {
    for (const auto& [action, enabled] : enabledRules) action->setEnabled(enabled());
}

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
        action->setShortcuts(KeysOf(item));
        if (const std::function<bool()> checked = item.checked) {
            action->setCheckable(true);
            // The mode may change at any time; the mark is set when the menu shows.
            if (auto* menu = qobject_cast<QMenu*>(parent))
                connect(menu, &QMenu::aboutToShow, action, [action, checked] { action->setChecked(checked()); });
            connect(action, &QAction::triggered, action, [action, checked] { action->setChecked(checked()); });
        }
        if (item.enabled) enabledRules.emplace_back(action, item.enabled);
        if (const std::function<void()> command = item.action) connect(action, &QAction::triggered, this, command);
        parent->addAction(action);
    }
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove: return MouseEvent(event);
        case QEvent::Wheel: {
            // With Ctrl the wheel zooms about the mouse, otherwise it moves
            // the view (with Shift sideways).
            const auto* wheel = static_cast<QWheelEvent*>(event);
            const QPoint turned = wheel->angleDelta();
            if (wheel->modifiers().testFlag(Qt::ControlModifier))
                area->ZoomSteps(turned.y() / 120.0, wheel->position());
            else if (wheel->modifiers().testFlag(Qt::ShiftModifier))
                area->PanBy(QPointF(turned.y(), turned.x()) / 2);
            else
                area->PanBy(QPointF(turned) / 2);
            return true;
        }
        default: return QMainWindow::eventFilter(watched, event);
    }
}

bool QtWindow::MovesView(const QMouseEvent& mouse) {
    const QPointF at = mouse.position();
    switch (mouse.type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (mouse.button() == Qt::MiddleButton || (mouse.button() == Qt::LeftButton && spaceHeld)) {
                panningFrom = at;
                area->setCursor(Qt::ClosedHandCursor);
                return true;
            }
            return false;
        case QEvent::MouseMove:
            if (!panningFrom) return false;
            area->PanBy(at - *panningFrom);
            panningFrom = at;
            return true;
        case QEvent::MouseButtonRelease:
            if (!panningFrom) return false;
            if (mouse.buttons() == Qt::NoButton) {
                panningFrom.reset();
                area->setCursor(spaceHeld ? Qt::OpenHandCursor : Qt::ArrowCursor);
            }
            return true;
        default: return false;
    }
}

bool QtWindow::MouseEvent(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (MovesView(*mouse) || events == nullptr) return true;
    const QPoint at = area->ToPicture(mouse->position());
    if (event->type() == QEvent::MouseMove) {
        const bool dragging = pressedOnPicture && mouse->buttons().testFlag(Qt::LeftButton);
        events->MouseMoved(dragging, at.x(), at.y(), HeldKeysOf(*mouse));
        return true;
    }
    const std::optional<MouseButton> button = ButtonOf(mouse->button());
    if (!button) return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (pressedOnPicture) events->MouseReleased(*button, at.x(), at.y());
        pressedOnPicture = mouse->buttons() != Qt::NoButton && pressedOnPicture;
        return true;
    }
    // Beside the picture nothing can be placed.
    pressedOnPicture = QRect(QPoint(0, 0), area->SurfaceSize()).contains(at);
    if (!pressedOnPicture) return true;
    if (event->type() == QEvent::MouseButtonDblClick)
        events->MouseDoubleClicked(*button, at.x(), at.y());
    else
        events->MousePressed(*button, mouse->buttons().testFlag(Qt::LeftButton), at.x(), at.y(), HeldKeysOf(*mouse));
    return true;
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat() && !spaceHeld) {
            spaceHeld = true;
            if (!panningFrom) area->setCursor(Qt::OpenHandCursor);
        }
        return;
    }
    int dx = 0, dy = 0;
    switch (event->key()) {
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        default: return QMainWindow::keyPressEvent(event);
    }
    const Qt::KeyboardModifiers others = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (events == nullptr || others != Qt::NoModifier) return QMainWindow::keyPressEvent(event);
    events->ArrowKeyPressed(dx, dy, event->modifiers().testFlag(Qt::ShiftModifier));
}

void QtWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) return QMainWindow::keyReleaseEvent(event);
    spaceHeld = false;
    if (!panningFrom) area->setCursor(Qt::ArrowCursor);
}

void QtWindow::closeEvent(QCloseEvent* event) {
    if (events != nullptr && !events->CloseRequested()) event->ignore();
}

int QtWindow::BarsHeight() const { return menuBar()->sizeHint().height() + statusBar()->sizeHint().height(); }

// Before the window is shown its frame is not known and counts as none; once
// a window manager has maximised it, the drawing area is as large as it gets.
QSize QtWindow::LargestClientSize() const {
    if (isVisible() && isMaximized()) return area->size();
    const QSize frame = frameGeometry().size() - geometry().size();
    return screen()->availableGeometry().size() - frame - QSize(0, BarsHeight());
}

void QtWindow::SetClientSize(QSize requested) {
    area->SetSurfaceSize(requested.boundedTo({kLargestPictureSide, kLargestPictureSide}).expandedTo(QSize(0, 0)));
    if (isMaximized()) return;
    // Without a window manager nothing maximises the window: size it to the
    // picture, as far as the screen allows, and centre it on the screen.
    resize(area->SurfaceSize().boundedTo(LargestClientSize()) + QSize(0, BarsHeight()));
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void QtWindow::SetClientWidth(int width) { SetClientSize({width, ClientHeight()}); }

void QtWindow::SetClientHeight(int height) { SetClientSize({ClientWidth(), height}); }

}  // namespace brevanto::platform
