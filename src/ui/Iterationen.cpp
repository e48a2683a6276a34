#include "ui/Iterationen.h"

#include "platform/Conversions.h"

void IterationsDialog(platform::Platform& platform, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Iterations",
        {Control::Edit("maximaleiterationen", "Maximum number of iterations"),
         Control::Edit("abbruchgenauigkeit", "Criteria for the stop of the iterations"), Control::Label("%").Beside(),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog["maximaleiterationen"].text = platform::IntToStr(settings.maximaleiterationen);
    dialog["abbruchgenauigkeit"].text = platform::FloatToStr(settings.abbruchgenauigkeit, 5);
    if (platform.ShowModal(dialog) == platform::ModalResult::OK) {
        settings.maximaleiterationen = platform::StrToInt(dialog["maximaleiterationen"].text);
        settings.abbruchgenauigkeit = platform::StrToFloat(dialog["abbruchgenauigkeit"].text);
    }
    settings.berechnet = false;
}
