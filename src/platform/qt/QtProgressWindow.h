// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "platform/Platform.h"

class QLabel;
class QProgressBar;

namespace brevanto::platform {

// The small "Information" window that long computations keep up to date: its
// text, a bar of the share done and a Cancel button (Escape too). It opens
// centred over the main window and grows with its text; closed, it goes when
// the program next waits for events, so passes in a row share one window.
// The computation runs on the event loop's thread and asks Cancelled()
// between its steps; that is when the window system's events are handled,
// every kEventInterval at most, while the window keeps the main window's
// input.
class QtProgressWindow : public QWidget, public ProgressWindow {
    Q_OBJECT

public:
    QtProgressWindow();

    void Show() override;
    void SetText(const std::string& text) override;
    void SetShare(double share) override;
    void Repaint() override;
    void Close() override;
    bool Cancelled() const override;

    // Hides the window now if it was closed and is only waiting for the
    // event loop to go.
    void HideIfClosed();

    QString Text() const;
    int Share() const;  // per cent

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CentreOverMainWindow();
    QMargins FrameMargins() const;

    QLabel* label;
    QProgressBar* bar;
    bool cancelled = false;
    mutable QElapsedTimer sinceEvents;
    QTimer closing;  // hides the window after Close()
    // The window manager's frame when the window was last centred.
    QMargins centredMargins;
};

}  // namespace brevanto::platform
