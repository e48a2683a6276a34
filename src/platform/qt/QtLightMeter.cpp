// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtLightMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/Conversions.h"
#include "platform/qt/QtPlotPage.h"

namespace brevanto::platform {

namespace {

QString Number(double value) { return QString::fromStdString(FloatToStr(value, 4)); }

}  // namespace

// The sectors as wedges around the centre, each as long as its light's share
// of the strongest sector, in the direction the light travels: 0 degrees to
// the right, counter-clockwise, as Qt counts the angles of a pie. F is the
// arrow, |F| / E of the radius long.
class QtLightMeter::PolarPlot : public QWidget {
public:
    explicit PolarPlot(const Measurement& shown) : measurement(shown) {
        setObjectName(QStringLiteral("PolarPlot"));
        setMinimumSize(280, 280);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        const QPointF centre(width() / 2.0, height() / 2.0);
        const double radius = std::min(width(), height()) / 2.0 - 30;
        painter.setPen(QPen(QColor(200, 200, 200), 1));
        for (const double ring : {0.25, 0.5, 0.75, 1.0}) painter.drawEllipse(centre, ring * radius, ring * radius);
        painter.drawLine(centre - QPointF(radius, 0), centre + QPointF(radius, 0));
        painter.drawLine(centre - QPointF(0, radius), centre + QPointF(0, radius));
        painter.setPen(Qt::darkGray);
        const QFontMetrics metrics = painter.fontMetrics();
        for (const int degrees : {0, 90, 180, 270}) {
            const QString text = QString::number(degrees) + QChar(0x00B0);
            const double a = degrees * std::numbers::pi / 180, at = radius + 15;
            const QPointF middle = centre + QPointF(at * std::cos(a), -at * std::sin(a));
            painter.drawText(QRectF(middle.x() - 30, middle.y() - metrics.height() / 2.0, 60, metrics.height()),
                             Qt::AlignCenter, text);
        }

        double strongest = 0;
        for (const Measurement::Sector& sector : measurement.sectors) strongest = std::max(strongest, sector.energy);
        if (strongest <= 0) return;
        painter.drawText(QRectF(4, height() - metrics.height() - 2, width() - 8, metrics.height()), Qt::AlignLeft,
                         QStringLiteral("outer ring: ") + Number(strongest));
        painter.setPen(QPen(QColor(150, 110, 0), 1));
        painter.setBrush(QColor(255, 190, 40, 200));
        for (int k = 0; k < Measurement::kSectors; ++k) {
            const double r = radius * measurement.sectors[static_cast<size_t>(k)].energy / strongest;
            if (r <= 0) continue;
            painter.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                            static_cast<int>(k * Measurement::kSectorDegrees * 16),
                            static_cast<int>(Measurement::kSectorDegrees * 16));
        }
        const double a = measurement.direction * std::numbers::pi / 180, length = radius * measurement.directedness;
        const QPointF tip = centre + QPointF(length * std::cos(a), -length * std::sin(a));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(centre, tip);
        for (const double side : {-1.0, 1.0}) {
            const double back = a + std::numbers::pi + side * 0.4;
            painter.drawLine(tip, tip + QPointF(10 * std::cos(back), -10 * std::sin(back)));
        }
    }

private:
    const Measurement& measurement;
};

QtLightMeter::QtLightMeter(QWidget* parent)
    : QWidget(parent),
      pages(new QTabWidget(this)),
      numbers(new QLabel),
      plot(new PolarPlot(shown)),
      table(new QTableWidget) {
    setObjectName(QStringLiteral("LightMeter"));
    (new QVBoxLayout(this))->addWidget(pages);
    auto* point = new QWidget;
    pages->addTab(point, QStringLiteral("Point"));
    auto* layout = new QVBoxLayout(point);
    numbers->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(numbers);
    layout->addWidget(new QLabel(QStringLiteral("Light arriving, by the direction it travels:")));
    layout->addWidget(plot, 1);
    table->setObjectName(QStringLiteral("Readings"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    layout->addWidget(new QLabel(QStringLiteral("Readings (\"Graphical representation \" > \"Readings\"):")));
    layout->addWidget(table, 1);
}

void QtLightMeter::ShowReadings(const ReadingTable& readings) {
    table->setColumnCount(static_cast<int>(readings.columns.size()));
    QStringList headings;
    for (const std::string& heading : readings.columns) headings << QString::fromStdString(heading);
    table->setHorizontalHeaderLabels(headings);
    table->setRowCount(static_cast<int>(readings.rows.size()));
    for (size_t row = 0; row < readings.rows.size(); ++row) {
        const std::vector<std::string>& cells = readings.rows[row];
        for (int column = 0; column < table->columnCount(); ++column) {
            const auto cell = static_cast<size_t>(column);
            const QString text = cell < cells.size() ? QString::fromStdString(cells[cell]) : QString();
            table->setItem(static_cast<int>(row), column, new QTableWidgetItem(text));
        }
    }
    table->resizeColumnsToContents();
    if (table->rowCount() > 0) table->scrollToBottom();
}

void QtLightMeter::ShowPlots(const std::vector<Plot>& plots) {
    QStringList before;
    for (int k = 1; k < pages->count(); ++k) before << pages->tabText(k);
    const QString front = pages->tabText(pages->currentIndex());
    while (pages->count() > 1) {
        QWidget* page = pages->widget(1);
        pages->removeTab(1);
        delete page;
    }
    int inFront = 0;
    for (const Plot& graph : plots) {
        const QString title = QString::fromStdString(graph.title);
        const int index = pages->addTab(new QtPlotPage(graph, pages), title);
        if (title == front && !before.isEmpty()) inFront = std::max(inFront, index);
        if (!before.contains(title)) inFront = index;
    }
    pages->setCurrentIndex(inFront);
}

QString QtLightMeter::Numbers() const { return numbers->text(); }

void QtLightMeter::Show(const Measurement& measurement) {
    shown = measurement;
    pages->setCurrentIndex(0);
    numbers->setText(QStringLiteral("Point: X = %1, Y = %2\n"
                                    "Flow density F: x %3, y %4 (y down)\n"
                                    "|F| = %5, travelling at %6%7\n"
                                    "Energy density E = %8\n"
                                    "|F| / E = %9")
                         .arg(measurement.x)
                         .arg(measurement.y)
                         .arg(Number(measurement.fx), Number(measurement.fy), Number(measurement.magnitude),
                              Number(measurement.direction), QString(QChar(0x00B0)), Number(measurement.energy),
                              Number(measurement.directedness)));
    plot->update();
}

void QtLightMeter::Clear() {
    shown = Measurement{};
    numbers->setText(QStringLiteral("The scene has changed.\nClick in the picture to measure again."));
    plot->update();
}

}  // namespace brevanto::platform
