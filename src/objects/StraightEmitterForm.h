// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "model/ColourChoice.h"
#include "model/DeclaredFields.h"
#include "model/ObjektGerade.h"
#include "objects/StrengthField.h"

// How the straight emitters are edited and stored: the two points, then
// "staerke". The dialog shows the strength, the colour and the points, with
// `note` below them when given, and takes only points on the screen. Text
// that is not a number reads as 0, for the rules to refuse.
template <class Kind>
KindForm<Kind> StraightEmitterForm(const std::string& caption, const std::string& note,
                                   const std::string& offScreenMessage) {
    using platform::Control;
    KindForm<Kind> form{
        FieldTable<Kind>({TObjektGerade::CoordinateFields<Kind>(":"), StrengthField<Kind>("Energy flow density ")})};
    std::vector<Control> controls = form.fields.Controls({"staerke"});
    controls.push_back(ColourCombo());
    controls.push_back(Control::Label("Coordinates"));
    for (Control& coordinate : TObjektGerade::CoordinateControls(form.fields))
        controls.push_back(std::move(coordinate));
    if (!note.empty()) controls.push_back(Control::Label(note));
    form.dialog = KindDialog(caption, std::move(controls));
    form.conversion = platform::FieldReader::Conversion::Lenient;
    form.requireTogether = [offScreenMessage](const Kind& emitter, platform::FieldReader& fields,
                                              const Tprgvar& settings) {
        emitter.RequireOnScreen(fields, settings, offScreenMessage);
    };
    return form;
}
