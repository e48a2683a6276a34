// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPlotPage.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QBuffer>
#include <QChartView>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include "platform/Conversions.h"
#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"
#include "platform/qt/QtConversions.h"

namespace brevanto::platform {

namespace {

QString Number(double value) { return QString::fromStdString(FloatToStr(value, 5)); }

// The axis spans the curves' values, from 0 where all are of one sign, so
// that a flat curve does not fill the plot.
QValueAxis* AxisOver(const QString& title, double lowest, double highest) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    if (lowest > 0) lowest = 0;
    if (highest < 0) highest = 0;
    if (highest <= lowest) highest = lowest + 1;
    axis->setRange(lowest, highest);
    axis->applyNiceNumbers();
    return axis;
}

}  // namespace

QtPlotPage::QtPlotPage(const Plot& shown, QWidget* parent)
    : QWidget(parent), plot(shown), view(nullptr), readOut(new QLabel(this)) {
    setObjectName(QString::fromStdString(plot.title));
    auto* chart = new QChart;
    chart->setTitle(QString::fromStdString(plot.title));
    chart->setTitleBrush(ToQColor(plot.colour));
    double xLow = std::numeric_limits<double>::max(), xHigh = std::numeric_limits<double>::lowest();
    double yLow = xLow, yHigh = xHigh;
    for (const PlotCurve& curve : plot.curves) {
        auto* series = new QLineSeries;
        series->setName(QString::fromStdString(curve.name));
        series->setPen(QPen(ToQColor(curve.colour), 2));
        for (size_t k = 0; k < curve.x.size() && k < curve.y.size(); ++k) {
            series->append(curve.x[k], curve.y[k]);
            xLow = std::min(xLow, curve.x[k]);
            xHigh = std::max(xHigh, curve.x[k]);
            yLow = std::min(yLow, curve.y[k]);
            yHigh = std::max(yHigh, curve.y[k]);
        }
        connect(series, &QLineSeries::hovered, this, [this, &curve](const QPointF& at, bool entered) {
            if (entered) ShowValueNear(curve, at.x());
        });
        chart->addSeries(series);
    }
    if (plot.curves.empty() || xLow > xHigh) xLow = xHigh = yLow = yHigh = 0;
    QValueAxis* xAxis = AxisOver(QString::fromStdString(plot.xAxis), xLow, xHigh);
    QValueAxis* yAxis = AxisOver(QString::fromStdString(plot.yAxis), yLow, yHigh);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    // The curves' names below the chart, one a line: a narrow panel would
    // cut them short in the chart's own legend.
    chart->legend()->hide();
    QString legend;
    for (const PlotCurve& curve : plot.curves)
        legend += QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2<br>")
                      .arg(ToQColor(curve.colour).name(), QString(curve.name.c_str()).toHtmlEscaped());
    // Made with its chart: a view made without one makes a chart of its own,
    // which setChart would hand back to nobody.
    view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(300, 260);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    auto* names = new QLabel(legend, this);
    names->setObjectName(QStringLiteral("CurveNames"));
    layout->addWidget(names);
    readOut->setText(QStringLiteral("Point at a curve to read its values."));
    layout->addWidget(readOut);
    auto* note = new QLabel(WithLineBreaks(plot.note), this);
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(note);
    auto* save = new QPushButton(QStringLiteral("Save Plot..."), this);
    connect(save, &QPushButton::clicked, this, [this] { AskWhereToSave(); });
    layout->addWidget(save, 0, Qt::AlignLeft);
}

QString QtPlotPage::ReadOut() const { return readOut->text(); }

// The curve's sample nearest to the mouse, as the curve's own numbers.
void QtPlotPage::ShowValueNear(const PlotCurve& curve, double x) {
    if (curve.x.empty()) return;
    size_t nearest = 0;
    for (size_t k = 1; k < curve.x.size(); ++k)
        if (std::fabs(curve.x[k] - x) < std::fabs(curve.x[nearest] - x)) nearest = k;
    readOut->setText(QString::fromStdString(curve.name) + ": " + QString::fromStdString(plot.xAxis) + " " +
                     Number(curve.x[nearest]) + ", " + Number(curve.y[nearest]));
}

void QtPlotPage::Save(const QString& fileName) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(view->size());
        svg.setViewBox(QRect(QPoint(0, 0), view->size()));
        svg.setTitle(QString::fromStdString(plot.title));
        QPainter painter(&svg);
        view->render(&painter);
    } else if (!view->grab().save(&buffer, "PNG")) {
        throw InOutError("The plot could not be made into a PNG picture.");
    }
    ReplaceFileContents(fileName.toStdString(), bytes.toStdString());
}

void QtPlotPage::AskWhereToSave() {
    QString filter = QStringLiteral("PNG pictures (*.png)");
    const QString fileName =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Plot"), QString::fromStdString(plot.title) + ".png",
                                     QStringLiteral("PNG pictures (*.png);;SVG pictures (*.svg)"), &filter);
    if (fileName.isEmpty()) return;
    const bool svg = filter.contains(QStringLiteral("svg")) && !fileName.endsWith(QStringLiteral(".png"));
    const QString named = svg && !fileName.endsWith(QStringLiteral(".svg")) ? fileName + ".svg" : fileName;
    try {
        Save(named);
    } catch (const std::exception& error) {
        QMessageBox::warning(this, QStringLiteral("Save Plot"), QString::fromStdString(error.what()));
    }
}

}  // namespace brevanto::platform
