// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace brevanto::platform {
class Platform;
}  // namespace brevanto::platform

namespace brevanto::ui {

// The short help window: the mouse modes, what the mouse does in them, and
// the keyboard shortcuts.
void HelpDialog(platform::Platform& platform);

}  // namespace brevanto::ui
