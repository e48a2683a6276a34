#include "ui/Bildschirm.h"

#include "model/Programvar.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"
#include "platform/Window.h"

void ScreenDialog(platform::Window& window) {
    using platform::Control;
    static platform::DialogSpec dialog{"Screen",
                                       {Control::Combo("ComboBox1", "Background color", {"grey", "white"}, "grey"),
                                        Control::Edit("Height", "Height"), Control::Edit("Width", "Width"),
                                        Control::Button("OK", platform::ModalResult::OK, true)}};
    dialog["Height"].text = platform::IntToStr(window.ClientHeight());
    dialog["Width"].text = platform::IntToStr(window.ClientWidth());
    if (platform::CurrentPlatform().ShowModal(dialog) != platform::ModalResult::OK) return;
    // "grey" always gives back the window system's standard grey, also after
    // the window was made white.
    switch (dialog["ComboBox1"].selected) {
        case 0: prgvar().hintergrundfarbe = platform::kButtonFaceColour; break;
        case 1: prgvar().hintergrundfarbe = 0xFFFFFF; break;
        default: break;
    }
    const int width = platform::StrToInt(dialog["Width"].text);
    const int height = platform::StrToInt(dialog["Height"].text);
    window.SetClientWidth(width);
    window.SetClientHeight(height);
    window.SetColor(prgvar().hintergrundfarbe);
}
