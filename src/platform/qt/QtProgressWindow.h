#pragma once
#include <QWidget>

#include "platform/Platform.h"

class QLabel;

namespace platform {

// The small "Information" window that long computations keep up to date.
class QtProgressWindow : public QWidget, public ProgressWindow {
    Q_OBJECT

public:
    QtProgressWindow();

    void Show() override;
    void SetText(const std::string& text) override;
    void Repaint() override;
    void Close() override { hide(); }

    QString Text() const;

private:
    QLabel* label;
};

}  // namespace platform
