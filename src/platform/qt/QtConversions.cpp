// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtConversions.h"

#include <QStringList>

#include "platform/SystemColours.h"

namespace brevanto::platform {

QColor ToQColor(TColor colour) {
    const TColor rgb = ResolveColour(colour);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QString WithLineBreaks(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString ToQtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Descriptions usually name their pattern already, as in "Bitmap-Files (*.bmp)".
        const QString named = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (parts[i].endsWith(named) ? parts[i] : parts[i] + QLatin1Char(' ') + named);
    }
    return filters.join(QLatin1String(";;"));
}

}  // namespace brevanto::platform
