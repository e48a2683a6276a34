// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace brevanto::model {

// The program's version, set once for the whole build by project(VERSION) in
// CMakeLists.txt; the scene file's header line is a constant of its own.
inline constexpr const char* kProgramVersion = BREVANTO_VERSION;

// What the program says of its licence, in "Info" and after --version.
inline constexpr const char* kLicenceNotice =
    "Free software under the GNU General Public License, version 3 or later "
    "(GPL-3.0-or-later), without any warranty.";

}  // namespace brevanto::model
