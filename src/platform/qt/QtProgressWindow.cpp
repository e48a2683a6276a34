#include "platform/qt/QtProgressWindow.h"

#include <QCoreApplication>
#include <QLabel>

#include "platform/qt/QtConversions.h"

namespace platform {

// Stays above the main window, which is busy meanwhile; no close box, since
// the computation cannot be stopped.
QtProgressWindow::QtProgressWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      label(new QLabel(QStringLiteral("Progress"), this)) {
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(429, 105);
    label->move(40, 16);
    label->adjustSize();
}

void QtProgressWindow::Show() {
    show();
    raise();
}

void QtProgressWindow::SetText(const std::string& text) {
    label->setText(WithLineBreaks(text));
    label->adjustSize();
}

QString QtProgressWindow::Text() const { return label->text(); }

void QtProgressWindow::Repaint() {
    // The computation runs in the event loop's thread: let the window system
    // show the new text (and the main window's caption) without taking input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace platform
