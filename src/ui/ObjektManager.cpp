#include "ui/ObjektManager.h"

#include "model/SceneList.h"
#include "platform/Conversions.h"

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

// Renumbers every object (zero-size ones included) and lists it.
void FillList(SceneList& list, platform::Control& lines) {
    lines.items.clear();
    lines.selected = -1;
    for (size_t i = 0; i < list.size(); ++i) {
        list[i].number = static_cast<int32_t>(i + 1);
        lines.items.push_back(platform::IntToStr(list[i].number) + "  :" + list[i].description);
    }
}

}  // namespace

void ObjectManager(SceneList& list, const EditContext& context) {
    using platform::ModalResult;
    platform::DialogSpec& dialog = Dialog();
    platform::Control& lines = dialog["objects"];
    while (true) {
        FillList(list, lines);
        const ModalResult result = context.platform.ShowModal(dialog);
        const int selected = lines.selected;
        const bool valid = selected >= 0 && selected < static_cast<int>(list.size());
        if (result == ModalResult::Edit) {
            if (valid) list[static_cast<size_t>(selected)].Edit(context);
        } else if (result == ModalResult::Delete) {
            if (selected == 0)
                context.platform.ShowMessage("You cannot delet the Background radiation,\rbut You can set it to Zero.");
            else if (valid)
                list.Remove(static_cast<size_t>(selected));
        } else {
            return;
        }
    }
}
