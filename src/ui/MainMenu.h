// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "platform/Window.h"

namespace brevanto::ui {

class MainWindow;

// The main window's menu tree with the designer's item names, each item
// bound to its command of `window`. A command that raises an error ends with
// its message and the program goes on.
std::vector<platform::MenuItem> MainMenu(MainWindow& window);

}  // namespace brevanto::ui
