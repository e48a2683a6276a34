// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialog.h"

#include <algorithm>
#include <stdexcept>

namespace brevanto::platform {

Control Control::Label(std::string caption, int fontHeight) {
    Control c;
    c.kind = Kind::Label;
    c.caption = std::move(caption);
    c.fontHeight = fontHeight;
    return c;
}

Control Control::Edit(std::string id, std::string caption, bool sameRow) {
    Control c;
    c.kind = Kind::Edit;
    c.id = std::move(id);
    c.caption = std::move(caption);
    c.sameRow = sameRow;
    return c;
}

Control Control::Combo(std::string id, std::string caption, std::vector<std::string> items, std::string text) {
    Control c;
    c.kind = Kind::Combo;
    c.id = std::move(id);
    c.caption = std::move(caption);
    c.items = std::move(items);
    c.text = std::move(text);
    return c;
}

Control Control::Radio(std::string id, std::string caption, bool checked) {
    Control c;
    c.kind = Kind::Radio;
    c.id = std::move(id);
    c.caption = std::move(caption);
    c.checked = checked;
    return c;
}

Control Control::ListBox(std::string id, ModalResult doubleClickResult) {
    Control c;
    c.kind = Kind::ListBox;
    c.id = std::move(id);
    c.result = doubleClickResult;
    return c;
}

Control Control::Button(std::string caption, ModalResult result, bool isDefault) {
    Control c;
    c.kind = Kind::Button;
    c.caption = std::move(caption);
    c.result = result;
    c.isDefault = isDefault;
    return c;
}

Control Control::CancelButton() { return Button("Cancel", ModalResult::Cancel).Beside(); }

Control Control::Beside() const {
    Control c = *this;
    c.sameRow = true;
    return c;
}

Control Control::Below() const {
    Control c = *this;
    c.below = true;
    return c;
}

Control& DialogSpec::operator[](const std::string& id) {
    auto found = std::find_if(controls.begin(), controls.end(), [&](const Control& c) { return c.id == id; });
    if (found == controls.end()) throw std::logic_error("dialog " + caption + " has no control " + id);
    return *found;
}

const Control& DialogSpec::operator[](const std::string& id) const { return const_cast<DialogSpec&>(*this)[id]; }

}  // namespace brevanto::platform
