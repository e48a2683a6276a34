// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ObjektManager.h"

#include "model/SceneList.h"
#include "platform/Conversions.h"
#include "platform/Dialog.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;

namespace {

platform::DialogSpec& Dialog() {
    using platform::Control;
    using platform::ModalResult;
    static platform::DialogSpec dialog{
        "Object Manager",
        {Control::ListBox("objects", ModalResult::Edit), Control::Button("Delete", ModalResult::Delete).Beside(),
         Control::Button("Edit", ModalResult::Edit).Below(), Control::Button("Quit", ModalResult::Quit, true).Below()}};
    return dialog;
}

// Renumbers every object (zero-size ones included) and lists it; the line
// that was chosen stays chosen while there is one.
void FillList(SceneList& list, platform::Control& lines) {
    lines.items.clear();
    lines.details.clear();
    lines.swatches.clear();
    for (size_t i = 0; i < list.size(); ++i) {
        list[i].number = static_cast<int32_t>(i + 1);
        lines.items.push_back(platform::IntToStr(list[i].number) + "  :" + list[i].description);
        lines.details.push_back(list[i].Summary());
        lines.swatches.push_back(list[i].colour);
    }
    if (lines.selected >= static_cast<int>(list.size())) lines.selected = static_cast<int>(list.size()) - 1;
}

}  // namespace

void ObjectManager(SceneList& list, platform::Platform& platform, const ObjectManagerActions& actions) {
    using platform::ModalResult;
    platform::DialogSpec& dialog = Dialog();
    platform::Control& lines = dialog["objects"];
    lines.selected = -1;
    const auto objectAt = [&](int line) {
        return line >= 0 && line < static_cast<int>(list.size()) ? &list[static_cast<size_t>(line)] : nullptr;
    };
    lines.onChoose = [&](int line) { actions.highlight(objectAt(line)); };
    while (true) {
        FillList(list, lines);
        const ModalResult result = platform.ShowModal(dialog);
        Tszeneobjekt* chosen = objectAt(lines.selected);
        if (result == ModalResult::Edit) {
            if (chosen != nullptr) actions.edit(*chosen);
        } else if (result == ModalResult::Delete) {
            if (lines.selected == 0)
                platform.ShowMessage("You cannot delet the Background radiation,\rbut You can set it to Zero.");
            else if (chosen != nullptr)
                list.Remove(static_cast<size_t>(lines.selected));
        } else {
            break;
        }
        actions.highlight(objectAt(lines.selected));
    }
    lines.onChoose = nullptr;
}

}  // namespace brevanto::ui
