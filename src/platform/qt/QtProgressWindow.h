#pragma once
#include <QWidget>

#include "platform/Platform.h"

class QLabel;
class QProgressBar;

namespace platform {

// The small "Information" window that long computations keep up to date: its
// text and a bar of the share done. It opens centred over the main window
// and grows with its text.
class QtProgressWindow : public QWidget, public ProgressWindow {
    Q_OBJECT

public:
    QtProgressWindow();

    void Show() override;
    void SetText(const std::string& text) override;
    void SetShare(double share) override;
    void Repaint() override;
    void Close() override { hide(); }

    QString Text() const;
    int Share() const;  // per cent

private:
    void CentreOverMainWindow();

    QLabel* label;
    QProgressBar* bar;
};

}  // namespace platform
