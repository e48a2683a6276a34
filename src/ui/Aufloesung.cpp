#include "ui/Aufloesung.h"

#include "platform/Conversions.h"

void ResolutionDialog(platform::Platform& platform, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Resolution of the calculation ",
        {Control::Edit("sellaenge", "Length of the pieces, in which the objects are divided"),
         Control::Edit("richtungprosel", "Number of discrete directions"),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog["sellaenge"].text = platform::IntToStr(settings.sellaenge);
    dialog["richtungprosel"].text = platform::IntToStr(settings.richtungprosel);
    while (true) {
        const platform::ModalResult result = platform.ShowModal(dialog);
        settings.berechnet = false;
        if (result != platform::ModalResult::OK) return;
        // The element rules divide by both values and size arrays by the
        // second, so they must be at least 1.
        const int32_t length = platform::LenientStrToInt(dialog["sellaenge"].text);
        const int32_t directions = platform::LenientStrToInt(dialog["richtungprosel"].text);
        if (length >= 1 && directions >= 1) {
            settings.sellaenge = length;
            settings.richtungprosel = directions;
            return;
        }
        platform.ShowMessage("The length and the number of directions must be at least 1.");
    }
}
