// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScreenDialog.h"

#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"
#include "platform/Window.h"

namespace brevanto::ui {

using namespace model;

void ScreenDialog(platform::Platform& platform, platform::Window& window, Tprgvar& settings) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Screen",
        {Control::Combo("hintergrundfarbe", "Background color", {"grey", "white"}, "grey"),
         Control::Edit("hoehe", "Height"), Control::Label("pixels").Beside(), Control::Edit("breite", "Width"),
         Control::Label("pixels").Beside(), Control::Button("OK", platform::ModalResult::OK, true),
         Control::CancelButton()}};
    dialog["hoehe"].text = platform::IntToStr(window.ClientHeight());
    dialog["breite"].text = platform::IntToStr(window.ClientWidth());
    int width = 0, height = 0;
    while (true) {
        if (platform.ShowModal(dialog) != platform::ModalResult::OK) return;
        platform::FieldReader fields(dialog);
        height = fields.Int("hoehe");
        width = fields.Int("breite");
        const std::string tooSmall =
            "The height and the width must be at least " + platform::IntToStr(kSmallestPictureSide) + " pixels.";
        fields.Require(height >= kSmallestPictureSide, "hoehe", tooSmall);
        fields.Require(width >= kSmallestPictureSide, "breite", tooSmall);
        if (!fields.Refused(platform)) break;
    }
    // "grey" always gives back the window system's standard grey, also after
    // the window was made white.
    switch (dialog["hintergrundfarbe"].selected) {
        case 0: settings.hintergrundfarbe = platform::kButtonFaceColour; break;
        case 1: settings.hintergrundfarbe = 0xFFFFFF; break;
        default: break;
    }
    window.SetClientWidth(width);
    window.SetClientHeight(height);
    window.SetColor(settings.hintergrundfarbe);
}

}  // namespace brevanto::ui
