// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include "model/Szeneobjekt.h"

namespace brevanto::files {

// An object as its own section of the scene file, kind line included: what
// the clipboard carries, what takes back a cancelled dialog, and how a
// value is given to an object as a file holding it would give it.
std::string SectionOf(const model::Tszeneobjekt& object);
// Reads the section into the object, whose kind it must be; false when a
// line does not match.
bool LoadSection(model::Tszeneobjekt& object, const std::string& section);
// A new object of the section's kind, read from it.
std::unique_ptr<model::Tszeneobjekt> ObjectFromSection(const std::string& section);

}  // namespace brevanto::files
