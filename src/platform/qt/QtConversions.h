// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include <QColor>
#include <QString>

#include "platform/Colour.h"

// How the program's own values look to Qt.
namespace brevanto::platform {

// A system-colour reference becomes the same colour as in the headless
// platform's pictures, whatever the desktop's theme: the window shows the
// picture that the command-line tool writes.
QColor ToQColor(TColor colour);

// The program breaks lines in messages with carriage returns.
QString WithLineBreaks(const std::string& text);

// "description|pattern|description|pattern..." as the file dialogs get it;
// Qt wants "description (pattern);;...".
QString ToQtFileFilter(const std::string& filter);

}  // namespace brevanto::platform
