#include "platform/qt/QtConversions.h"

#include <array>
#include <utility>

#include <QGuiApplication>
#include <QPalette>
#include <QStringList>

#include "platform/SystemColours.h"

namespace platform {

namespace {

// Windows system-colour indices that the palette has a role for; the others
// keep the classic values.
constexpr std::array<std::pair<int, QPalette::ColorRole>, 8> kPaletteRoles{{
    {4, QPalette::Window},            // menu
    {5, QPalette::Base},              // window (the background of text fields)
    {7, QPalette::WindowText},        // menu text
    {8, QPalette::WindowText},        // window text
    {13, QPalette::Highlight},        // highlight
    {14, QPalette::HighlightedText},  // highlighted text
    {15, QPalette::Window},           // button face: the colour of forms and dialogs
    {18, QPalette::ButtonText},       // button text
}};

}  // namespace

QColor ToQColor(TColor colour) {
    if (IsSystemColour(colour)) {
        for (const auto& [index, role] : kPaletteRoles)
            if (index == SystemColourIndex(colour)) return QGuiApplication::palette().color(role);
    }
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

}  // namespace platform
