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
    // At least one pass runs whatever the limit, and a negative criterion
    // could never be met: neither would do what the user asked.
    while (platform.ShowModal(dialog) == platform::ModalResult::OK) {
        const int32_t passes = platform::StrToInt(dialog["maximaleiterationen"].text);
        if (passes < 1) {
            platform.ShowMessage("The maximum number of iterations must be at least 1.");
            continue;
        }
        settings.maximaleiterationen = passes;
        const float criterion = platform::StrToFloat(dialog["abbruchgenauigkeit"].text);
        if (!(criterion >= 0)) {
            platform.ShowMessage("The criteria for the stop of the iterations must not be negative.");
            continue;
        }
        settings.abbruchgenauigkeit = criterion;
        break;
    }
    settings.berechnet = false;
}
