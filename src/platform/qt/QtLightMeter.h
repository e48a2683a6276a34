// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "platform/Measurement.h"
#include "platform/Plot.h"

class QLabel;
class QTabWidget;
class QTableWidget;

namespace brevanto::platform {

// The light meter's panel: on its first page the numbers of the last
// measurement, a polar plot of the light arriving there and the readings; a
// page for each graph after it (the measuring lines, a sweep). It sits in a
// dock beside the drawing area and stays open while the user measures
// elsewhere or does anything else.
class QtLightMeter : public QWidget {
    Q_OBJECT

public:
    explicit QtLightMeter(QWidget* parent);

    void Show(const Measurement& measurement);
    // No numbers: what they were measured in has changed.
    void Clear();
    // The table of all readings below the plot.
    void ShowReadings(const ReadingTable& readings);
    // The graphs' pages, replacing those before. A graph that was not shown
    // before comes to the front; else the page in front stays.
    void ShowPlots(const std::vector<Plot>& plots);
    QTabWidget& Pages() const { return *pages; }
    const Measurement& Shown() const { return shown; }
    QString Numbers() const;

private:
    class PolarPlot;

    Measurement shown;
    QTabWidget* pages;
    QLabel* numbers;
    PolarPlot* plot;
    QTableWidget* table;
};

}  // namespace brevanto::platform
