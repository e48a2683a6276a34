// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ObjectSection.h"

#include "objects/KindRegistry.h"
#include "platform/TextFile.h"

namespace brevanto::files {

using namespace model;
using namespace objects;

std::string SectionOf(const Tszeneobjekt& object) {
    platform::TextFile text;
    object.SaveToFile(text);
    return text.Text();
}

bool LoadSection(Tszeneobjekt& object, const std::string& section) {
    platform::TextFile text = platform::TextFile::FromText(section);
    text.ReadLine();  // the kind
    return object.LoadFromFile(text);
}

std::unique_ptr<Tszeneobjekt> ObjectFromSection(const std::string& section) {
    platform::TextFile text = platform::TextFile::FromText(section);
    std::unique_ptr<Tszeneobjekt> object = CreateObjectOfKind(text.ReadLine(), 0, 0, 0, 0);
    object->LoadFromFile(text);
    return object;
}

}  // namespace brevanto::files
