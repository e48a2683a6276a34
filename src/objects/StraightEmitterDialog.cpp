#include "objects/StraightEmitterDialog.h"

#include "model/ColourChoice.h"
#include "model/Hilfsfunktionen.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

using platform::Control;

platform::DialogSpec StraightEmitterDialog(const std::string& caption) {
    return {caption,
            {Control::Edit("Strength", "Energy flow density "), ColourCombo(), Control::Label("Coordinates"),
             Control::Edit("X1", "X1:"), Control::Edit("Y1", "Y1:", true), Control::Edit("X2", "X2:"),
             Control::Edit("Y2", "Y2:", true), Control::Button("OK", platform::ModalResult::OK, true)}};
}

void EditStraightEmitter(platform::DialogSpec& dialog, TObjektGerade& emitter, float& staerke,
                         const std::string& offScreenMessage) {
    using namespace platform;
    dialog["Strength"].text = ShortestFloatToStr(staerke);
    dialog["X1"].text = IntToStr(emitter.x1);
    dialog["Y1"].text = IntToStr(emitter.y1);
    dialog["X2"].text = IntToStr(emitter.x2);
    dialog["Y2"].text = IntToStr(emitter.y2);
    while (CurrentPlatform().ShowModal(dialog) == ModalResult::OK) {
        staerke = LenientStrToFloat(dialog["Strength"].text);
        emitter.x1 = LenientStrToInt(dialog["X1"].text);
        emitter.y1 = LenientStrToInt(dialog["Y1"].text);
        emitter.x2 = LenientStrToInt(dialog["X2"].text);
        emitter.y2 = LenientStrToInt(dialog["Y2"].text);
        ApplyColourChoice(dialog["ComboBox1"], emitter.colour);
        if (!IsOffScreen(emitter.x1, emitter.y1) && !IsOffScreen(emitter.x2, emitter.y2)) return;
        CurrentPlatform().ShowMessage(offScreenMessage);
    }
}
