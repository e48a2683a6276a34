// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind's dialog and file section come from one table of its fields:
// whatever a dialog takes, the section holds under the same key, and a
// section read back writes the same bytes.
#include <map>
#include <memory>

#include "SceneFixture.h"
#include "objects/KindRegistry.h"
#include "platform/TextFile.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

namespace {

using brevanto::platform::Control;
using brevanto::platform::DialogSpec;

class KindFieldsTest : public SceneTest {
protected:
    // Every kind the registry knows, and the background radiation.
    static std::vector<std::unique_ptr<Tszeneobjekt>> OneOfEachKind() {
        std::vector<std::unique_ptr<Tszeneobjekt>> objects;
        for (const KindEntry& kind : Kinds()) objects.push_back(kind.create(100, 100, 140, 130));
        objects.push_back(NewBackground());
        return objects;
    }

    static std::vector<std::string> Section(const Tszeneobjekt& object) {
        platform::TextFile file;
        object.SaveToFile(file);
        return file.Lines();
    }

    // The "key=value" lines of a section.
    static std::map<std::string, std::string> Values(const std::vector<std::string>& section) {
        std::map<std::string, std::string> values;
        for (const std::string& line : section)
            if (const size_t equals = line.find('='); equals != std::string::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
        return values;
    }
};

// The dialog gets a distinct value in each edit (small, so that every rule
// takes it) and the other choice of each pair of radio buttons, one of which
// is the field.
TEST_F(KindFieldsTest, WhatTheDialogTakesTheSectionHoldsAndReadsBackToTheSameBytes) {
    for (const auto& object : OneOfEachKind()) {
        std::map<std::string, std::string> typed;
        std::map<std::string, bool> radios;
        Answer([&](DialogSpec& dialog) {
            int value = 11;
            for (Control& control : dialog.controls) {
                if (control.kind == Control::Kind::Edit) control.text = typed[control.id] = std::to_string(value++);
                if (control.kind == Control::Kind::Radio) radios[control.id] = control.checked = !control.checked;
            }
            return platform::ModalResult::OK;
        });
        ASSERT_TRUE(object->Edit(Context())) << object->kind << " refused its values";
        const std::vector<std::string> section = Section(*object);
        std::map<std::string, std::string> stored = Values(section);
        stored.erase("color");
        for (const auto& [id, checked] : radios)
            if (stored.count(id)) typed[id] = checked ? "1" : "0";
        EXPECT_EQ(stored, typed) << object->kind;

        std::string rest;  // the section after its kind line, as the file's reader hands it on
        for (size_t i = 1; i < section.size(); ++i) rest += section[i] + "\n";
        platform::TextFile file = platform::TextFile::FromText(rest);
        auto loaded = object->kind == "rahmen" ? NewBackground() : CreateObjectOfKind(object->kind, 0, 0, 0, 0);
        ASSERT_TRUE(loaded->LoadFromFile(file)) << object->kind;
        EXPECT_EQ(Section(*loaded), section) << object->kind;
    }
}

}  // namespace
