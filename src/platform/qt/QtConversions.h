#pragma once
#include <string>

#include <QColor>
#include <QString>

#include "platform/Colour.h"

// How the program's own values look to Qt.
namespace platform {

// A system-colour reference becomes the matching colour of the application's
// palette, so it follows the desktop's theme at the moment of painting.
QColor ToQColor(TColor colour);

// The program breaks lines in messages with carriage returns.
QString WithLineBreaks(const std::string& text);

// "description|pattern|description|pattern..." as the file dialogs get it;
// Qt wants "description (pattern);;...".
QString ToQtFileFilter(const std::string& filter);

}  // namespace platform
