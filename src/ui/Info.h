// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace platform {
class Platform;
}  // namespace platform

// The information dialog with the program's name, titel.
void InfoDialog(platform::Platform& platform, const std::string& titel);
