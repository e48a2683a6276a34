// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "model/ColourChoice.h"
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"
#include "objects/StrengthField.h"

namespace brevanto::objects {

// How the straight emitters are edited and stored: the two points, then
// "staerke". The dialog shows the strength, the colour and the points, with
// `note` below them when given, and takes only points on the screen. Text
// that is not a number reads as 0, for the rules to refuse.
template <class Kind>
model::KindForm<Kind> StraightEmitterForm(const std::string& caption, const std::string& note,
                                          const std::string& offScreenMessage) {
    using platform::Control;
    model::KindForm<Kind> form{model::FieldTable<Kind>(
        {model::TObjektGerade::CoordinateFields<Kind>(":"), StrengthField<Kind>("Energy flow density ")})};
    std::vector<Control> controls = form.fields.Controls({"staerke"});
    controls.push_back(model::ColourCombo());
    controls.push_back(Control::Label("Coordinates"));
    for (Control& coordinate : model::TObjektGerade::CoordinateControls(form.fields))
        controls.push_back(std::move(coordinate));
    if (!note.empty()) controls.push_back(Control::Label(note));
    form.dialog = model::KindDialog(caption, std::move(controls));
    form.conversion = platform::FieldReader::Conversion::Lenient;
    form.requireTogether = [offScreenMessage](const Kind& emitter, platform::FieldReader& fields,
                                              const model::Tprgvar& settings) {
        emitter.RequireOnScreen(fields, settings, offScreenMessage);
    };
    return form;
}

}  // namespace brevanto::objects
