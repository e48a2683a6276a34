// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "platform/Plot.h"

class QChartView;
class QLabel;

namespace brevanto::platform {

// One graph in the meter's panel: its curves against their axes, the value
// under the mouse, its note, and a button that saves it as a PNG or SVG
// picture.
class QtPlotPage : public QWidget {
    Q_OBJECT

public:
    QtPlotPage(const Plot& plot, QWidget* parent);
    const Plot& Shown() const { return plot; }
    // Writes the graph as it shows: SVG when the name ends in ".svg", else
    // PNG. Throws InOutError when the file cannot be written.
    void Save(const QString& fileName) const;
    QString ReadOut() const;

private:
    void ShowValueNear(const PlotCurve& curve, double x);
    void AskWhereToSave();

    Plot plot;
    QChartView* view;
    QLabel* readOut;
};

}  // namespace brevanto::platform
