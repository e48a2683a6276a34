// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/StraightEmitterDialog.h"

#include <cmath>

#include "model/ColourChoice.h"
#include "model/Geometry.h"
#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

using platform::Control;

std::string StrengthProblem(float staerke) {
    if (std::fabs(staerke) <= kLargestStrength) return {};
    return "The energy flow density must lie between " + platform::FloatToStr(-kLargestStrength, 5) + " and " +
           platform::FloatToStr(kLargestStrength, 5) + ".";
}

platform::DialogSpec StraightEmitterDialog(const std::string& caption, const std::string& note) {
    std::vector<Control> controls{Control::Edit("staerke", "Energy flow density "), ColourCombo(),
                                  Control::Label("Coordinates")};
    for (Control& coordinate : TObjektGerade::CoordinateControls(":")) controls.push_back(std::move(coordinate));
    if (!note.empty()) controls.push_back(Control::Label(note));
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
        FieldReader fields(dialog, FieldReader::Conversion::Lenient);
        staerke = fields.Float("staerke");
        emitter.ReadCoordinates(fields);
        ApplyColourChoice(dialog["color"], emitter.colour);
        fields.Require(StrengthProblem(staerke).empty(), "staerke", StrengthProblem(staerke));
        emitter.RequireOnScreen(fields, context.settings, offScreenMessage);
        if (!fields.Refused(context.platform)) return true;
    }
    return false;
}
