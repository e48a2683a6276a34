// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The information dialog with the program's name, titel.
void InfoDialog(platform::Platform& platform, const std::string& titel);

}  // namespace brevanto::ui
