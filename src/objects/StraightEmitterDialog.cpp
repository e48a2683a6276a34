#include "objects/StraightEmitterDialog.h"

#include <cmath>

#include "model/ColourChoice.h"
#include "model/Hilfsfunktionen.h"
#include "platform/Conversions.h"

using platform::Control;

std::string StrengthProblem(float staerke) {
    if (std::fabs(staerke) <= kLargestStrength) return {};
    return "The energy flow density must lie between " + platform::FloatToStr(-kLargestStrength, 5) + " and " +
           platform::FloatToStr(kLargestStrength, 5) + ".";
}

platform::DialogSpec StraightEmitterDialog(const std::string& caption) {
    std::vector<Control> controls{Control::Edit("staerke", "Energy flow density "), ColourCombo(),
                                  Control::Label("Coordinates")};
    for (Control& coordinate : TObjektGerade::CoordinateControls(":")) controls.push_back(std::move(coordinate));
    controls.push_back(Control::Button("OK", platform::ModalResult::OK, true));
    controls.push_back(Control::CancelButton());
    return {caption, std::move(controls)};
}

bool EditStraightEmitter(platform::DialogSpec& dialog, TObjektGerade& emitter, float& staerke,
                         const std::string& offScreenMessage, const EditContext& context) {
    using namespace platform;
    dialog["staerke"].text = ShortestFloatToStr(staerke);
    emitter.ShowCoordinates(dialog);
    while (context.platform.ShowModal(dialog) == ModalResult::OK) {
        staerke = LenientStrToFloat(dialog["staerke"].text);
        emitter.ReadCoordinates(dialog, LenientStrToInt);
        ApplyColourChoice(dialog["color"], emitter.colour);
        const std::string strengthProblem = StrengthProblem(staerke);
        const bool strengthValid = strengthProblem.empty();
        if (!strengthValid) context.platform.ShowMessage(strengthProblem);
        if (!IsOffScreen(emitter.x1, emitter.y1, context.settings) &&
            !IsOffScreen(emitter.x2, emitter.y2, context.settings)) {
            if (strengthValid) return true;
        } else {
            context.platform.ShowMessage(offScreenMessage);
        }
    }
    return false;
}
