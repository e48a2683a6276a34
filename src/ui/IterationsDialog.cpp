// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IterationsDialog.h"

#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;

void IterationsDialog(platform::Platform& platform, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Iterations",
        {Control::Edit("maximaleiterationen", "Maximum number of iterations"),
         Control::Edit("abbruchgenauigkeit", "Criteria for the stop of the iterations"), Control::Label("%").Beside(),
         Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    dialog["maximaleiterationen"].text = platform::IntToStr(settings.maximaleiterationen);
    dialog["abbruchgenauigkeit"].text = platform::FloatToStr(settings.abbruchgenauigkeit, 5);
    // At least one pass runs whatever the limit, and a negative criterion
    // could never be met: neither would do what the user asked.
    while (platform.ShowModal(dialog) == platform::ModalResult::OK) {
        platform::FieldReader fields(dialog);
        const int32_t passes = fields.Int("maximaleiterationen");
        const float criterion = fields.Float("abbruchgenauigkeit");
        fields.Require(passes >= 1, "maximaleiterationen", "The maximum number of iterations must be at least 1.");
        fields.Require(criterion >= 0, "abbruchgenauigkeit",
                       "The criteria for the stop of the iterations must not be negative.");
        if (fields.Refused(platform)) continue;
        settings.maximaleiterationen = passes;
        settings.abbruchgenauigkeit = criterion;
        break;
    }
    settings.berechnet = false;
}

}  // namespace brevanto::ui
