#include "radiation/Iterationen.h"

#include "model/Programvar.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

namespace {
platform::DialogSpec& IterationsForm() {
    using platform::Control;
    static platform::DialogSpec dialog{"Iterations",
                                       {Control::Edit("Edit1", "Maximum number of iterations"),
                                        Control::Edit("Edit2", "Criteria for the stop of the iterations"),
                                        Control::Label("%").Beside(),
                                        Control::Button("OK", platform::ModalResult::OK, true)}};
    return dialog;
}
}  // namespace

void IterationsDialog() {
    platform::DialogSpec& dialog = IterationsForm();
    Tprgvar& settings = prgvar();
    dialog["Edit1"].text = platform::IntToStr(settings.maximaleiterationen);
    dialog["Edit2"].text = platform::FloatToStr(settings.abbruchgenauigkeit, 5);
    if (platform::CurrentPlatform().ShowModal(dialog) == platform::ModalResult::OK) {
        settings.maximaleiterationen = platform::StrToInt(dialog["Edit1"].text);
        settings.abbruchgenauigkeit = platform::StrToFloat(dialog["Edit2"].text);
    }
    settings.berechnet = false;
}
