#pragma once
#include <QWidget>

#include "platform/Measurement.h"

class QLabel;

namespace platform {

// The light meter's panel: the numbers of the last measurement and a polar
// plot of the light arriving there. It is a tool window of its own beside
// the main window, so that the drawing area keeps its size, and it stays
// open while the user measures elsewhere or does anything else.
class QtLightMeter : public QWidget {
    Q_OBJECT

public:
    explicit QtLightMeter(QWidget* parent);

    void Show(const Measurement& measurement);
    // No numbers: what they were measured in has changed.
    void Clear();
    const Measurement& Shown() const { return shown; }
    QString Numbers() const;

private:
    class PolarPlot;

    Measurement shown;
    QLabel* numbers;
    PolarPlot* plot;
};

}  // namespace platform
