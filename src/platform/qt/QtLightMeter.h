#pragma once
#include <QWidget>

#include "platform/Measurement.h"

class QLabel;
class QTableWidget;

namespace platform {

// The light meter's panel: the numbers of the last measurement and a polar
// plot of the light arriving there. It sits in a dock beside the drawing
// area and stays open while the user measures elsewhere or does anything
// else.
class QtLightMeter : public QWidget {
    Q_OBJECT

public:
    explicit QtLightMeter(QWidget* parent);

    void Show(const Measurement& measurement);
    // No numbers: what they were measured in has changed.
    void Clear();
    // The table of all readings below the plot.
    void ShowReadings(const ReadingTable& readings);
    const Measurement& Shown() const { return shown; }
    QString Numbers() const;

private:
    class PolarPlot;

    Measurement shown;
    QLabel* numbers;
    PolarPlot* plot;
    QTableWidget* table;
};

}  // namespace platform
