#include "ui/Info.h"

#include "model/Programvar.h"
#include "platform/Platform.h"

void InfoDialog() {
    using platform::Control;
    static platform::DialogSpec dialog{"",
                                       {Control::Label("Informations about Brevanto", 16), Control::Label(""),
                                        Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog.caption = "Informations about " + prgvar().titel;
    dialog.controls[1].caption = prgvar().titel;
    platform::CurrentPlatform().ShowModal(dialog);
}
