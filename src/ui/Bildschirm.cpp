#include "ui/Bildschirm.h"

#include "platform/Conversions.h"

void ScreenDialog(platform::Platform& platform, platform::Window& window, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Screen",
        {Control::Combo("hintergrundfarbe", "Background color", {"grey", "white"}, "grey"),
         Control::Edit("hoehe", "Height"), Control::Edit("breite", "Width"),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog["hoehe"].text = platform::IntToStr(window.ClientHeight());
    dialog["breite"].text = platform::IntToStr(window.ClientWidth());
    int width = 0, height = 0;
    while (true) {
        if (platform.ShowModal(dialog) != platform::ModalResult::OK) return;
        // "grey" always gives back the window system's standard grey, also
        // after the window was made white.
        switch (dialog["hintergrundfarbe"].selected) {
            case 0: settings.hintergrundfarbe = platform::kButtonFaceColour; break;
            case 1: settings.hintergrundfarbe = 0xFFFFFF; break;
            default: break;
        }
        width = platform::StrToInt(dialog["breite"].text);
        height = platform::StrToInt(dialog["hoehe"].text);
        if (width >= kSmallestPictureSide && height >= kSmallestPictureSide) break;
        platform.ShowMessage("The height and the width must be at least " + platform::IntToStr(kSmallestPictureSide) +
                             " pixels.");
    }
    window.SetClientWidth(width);
    window.SetClientHeight(height);
    window.SetColor(settings.hintergrundfarbe);
}
