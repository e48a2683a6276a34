// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace brevanto::files {

// The name with the extension (such as ".brv") appended unless its last
// characters are exactly that extension; "scene.BRV" becomes "scene.BRV.brv".
std::string WithExtension(const std::string& fileName, const std::string& extension);

// Whether the name ends in the extension, whatever the case of its letters.
bool EndsWithNoCase(const std::string& fileName, const std::string& extension);

}  // namespace brevanto::files
