// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FieldTable.h"

#include <algorithm>
#include <stdexcept>

namespace brevanto::model {

std::vector<platform::Control> FieldList::Controls(std::initializer_list<const char*> keys) const {
    using platform::Control;
    std::vector<Control> controls;
    for (const char* key : keys) {
        const FieldDeclaration* field = Find(key);
        if (!field) throw std::logic_error(std::string("no field ") + key);
        if (!field->offId.empty()) {
            controls.push_back(Control::Radio(field->offId, field->offLabel, true));
            controls.push_back(Control::Radio(field->key, field->label, false));
            continue;
        }
        controls.push_back(Control::Edit(field->key, field->label, field->besideLast));
        if (!field->unit.empty()) controls.push_back(Control::Label(field->unit).Beside());
    }
    return controls;
}

const FieldDeclaration* FieldList::Find(const std::string& id) const {
    const auto found = std::find_if(declarations.begin(), declarations.end(),
                                    [&](const FieldDeclaration& field) { return field.key == id; });
    return found == declarations.end() ? nullptr : &*found;
}

}  // namespace brevanto::model
