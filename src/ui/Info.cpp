// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Info.h"

#include "model/ProgramVersion.h"
#include "platform/Dialog.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;

void InfoDialog(platform::Platform& platform, const std::string& titel) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "",
        {Control::Label("Informations about Brevanto", 16), Control::Label(""), Control::Label(kLicenceNotice),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog.caption = "Informations about " + titel;
    dialog.controls[1].caption = titel;
    platform.ShowModal(dialog);
}

}  // namespace brevanto::ui
