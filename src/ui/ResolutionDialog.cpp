// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ResolutionDialog.h"

#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;

void ResolutionDialog(platform::Platform& platform, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Resolution of the calculation ",
        {Control::Edit("sellaenge", "Length of the pieces, in which the objects are divided"),
         Control::Label("pixels").Beside(), Control::Edit("richtungprosel", "Number of discrete directions"),
         Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    dialog["sellaenge"].text = platform::IntToStr(settings.sellaenge);
    dialog["richtungprosel"].text = platform::IntToStr(settings.richtungprosel);
    while (true) {
        const platform::ModalResult result = platform.ShowModal(dialog);
        settings.berechnet = false;
        if (result != platform::ModalResult::OK) return;
        // The element rules divide by both values and size arrays by the
        // second, so they must be at least 1.
        platform::FieldReader fields(dialog, platform::FieldReader::Conversion::Lenient);
        const int32_t length = fields.Int("sellaenge");
        const int32_t directions = fields.Int("richtungprosel");
        constexpr const char* kAtLeastOne = "The length and the number of directions must be at least 1.";
        fields.Require(length >= 1, "sellaenge", kAtLeastOne);
        fields.Require(directions >= 1, "richtungprosel", kAtLeastOne);
        if (fields.Refused(platform)) continue;
        settings.sellaenge = length;
        settings.richtungprosel = directions;
        return;
    }
}

}  // namespace brevanto::ui
