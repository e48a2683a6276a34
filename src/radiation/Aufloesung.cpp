#include "radiation/Aufloesung.h"

#include "model/Programvar.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

namespace {
platform::DialogSpec& ResolutionForm() {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Resolution of the calculation ",
        {Control::Edit("Edit1", "Length of the pieces, in which the objects are divided"),
         Control::Edit("Edit2", "Number of discrete directions"),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    return dialog;
}
}  // namespace

void ResolutionDialog() {
    platform::DialogSpec& dialog = ResolutionForm();
    platform::Platform& platform = platform::CurrentPlatform();
    Tprgvar& settings = prgvar();
    dialog["Edit1"].text = platform::IntToStr(settings.sellaenge);
    dialog["Edit2"].text = platform::IntToStr(settings.richtungprosel);
    while (true) {
        const platform::ModalResult result = platform.ShowModal(dialog);
        settings.berechnet = false;
        if (result != platform::ModalResult::OK) return;
        // The element rules divide by both values and size arrays by the
        // second, so they must be at least 1.
        const int32_t length = platform::LenientStrToInt(dialog["Edit1"].text);
        const int32_t directions = platform::LenientStrToInt(dialog["Edit2"].text);
        if (length >= 1 && directions >= 1) {
            settings.sellaenge = length;
            settings.richtungprosel = directions;
            return;
        }
        platform.ShowMessage("The length and the number of directions must be at least 1.");
    }
}
