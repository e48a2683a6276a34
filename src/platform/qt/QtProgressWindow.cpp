// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtProgressWindow.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/qt/QtConversions.h"

namespace brevanto::platform {

namespace {
// The window's size at the least, and where its text starts.
constexpr QSize kSmallest(429, 105);
constexpr QMargins kMargins(40, 16, 40, 16);
// Events wait no longer than this while a computation runs: Cancel answers
// and the pictures drawn so far show well within a fifth of a second.
constexpr qint64 kEventIntervalMs = 50;
}  // namespace

// Stays above the main window, which is busy meanwhile.
QtProgressWindow::QtProgressWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      label(new QLabel(QStringLiteral("Progress"), this)),
      bar(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("Information"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargins);
    layout->addWidget(label);
    layout->addStretch();
    layout->addWidget(bar);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelled = true; });
    closing.setSingleShot(true);
    connect(&closing, &QTimer::timeout, this, &QWidget::hide);
    bar->setRange(0, 100);
    // Nothing else of the program takes input while it computes.
    setWindowModality(Qt::ApplicationModal);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(kSmallest);
}

void QtProgressWindow::Show() {
    closing.stop();
    cancelled = false;
    sinceEvents.start();
    bar->setValue(0);
    adjustSize();
    CentreOverMainWindow();
    show();
    raise();
    activateWindow();
}

// Over the program's main window, or the screen when there is none; without
// a window manager nothing else would place it.
void QtProgressWindow::CentreOverMainWindow() {
    QRect over = screen()->availableGeometry();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window) != nullptr && window->isVisible()) over = window->frameGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(over.center());
    move(frame.topLeft());
    centredMargins = FrameMargins();
}

QMargins QtProgressWindow::FrameMargins() const {
    const QRect inner = geometry(), outer = frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void QtProgressWindow::SetText(const std::string& text) {
    label->setText(WithLineBreaks(text));
    // Wide enough for the whole text, and kept where it is; centred again
    // when the window manager has framed it since it was centred.
    if (isVisible() && FrameMargins() != centredMargins) {
        adjustSize();
        CentreOverMainWindow();
        return;
    }
    const QPoint centre = frameGeometry().center();
    adjustSize();
    QRect frame = frameGeometry();
    frame.moveCenter(centre);
    if (isVisible()) move(frame.topLeft());
}

void QtProgressWindow::SetShare(double share) { bar->setValue(static_cast<int>(std::clamp(share, 0.0, 1.0) * 100)); }

QString QtProgressWindow::Text() const { return label->text(); }

int QtProgressWindow::Share() const { return bar->value(); }

// Hidden once the program waits for events again, not at once, so that a
// pass that follows straight on (the drawing after the radiosity) keeps the
// window up. Hidden and shown again at once, the window races the window
// manager, which is still taking it down: openbox then at times never shows
// it again, so the next pass has no Cancel, or frames it twice and leaves it
// off the middle.
void QtProgressWindow::Close() {
    closing.start(0);
    cancelled = false;
}

void QtProgressWindow::HideIfClosed() {
    if (!closing.isActive()) return;
    closing.stop();
    hide();
}

void QtProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        cancelled = true;
    else
        QWidget::keyPressEvent(event);
}

bool QtProgressWindow::Cancelled() const {
    if (isVisible() && sinceEvents.elapsed() >= kEventIntervalMs) {
        QCoreApplication::processEvents();
        sinceEvents.start();
    }
    return cancelled;
}

void QtProgressWindow::Repaint() {
    // The computation runs in the event loop's thread: let the window system
    // show the new text (and the main window's caption) without taking input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace brevanto::platform
