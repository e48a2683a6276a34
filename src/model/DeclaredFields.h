// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "model/ColourChoice.h"
#include "model/FieldTable.h"
#include "model/Szeneobjekt.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::model {

// How a kind is edited and stored: its field table, and its dialog laid out
// from the table's fields.
template <class Kind>
struct KindForm {
    explicit KindForm(FieldTable<Kind> fields) : fields(std::move(fields)) {}

    FieldTable<Kind> fields;
    // Kept for the whole run: a dialog shows again what was last typed in it
    // where the object does not fill it in (the colour).
    platform::DialogSpec dialog;
    platform::FieldReader::Conversion conversion = platform::FieldReader::Conversion::Strict;
    // The rules between fields or against the settings, after each field's
    // own: in the dialog (Require...) and for ValueProblem (Problem...).
    // Either may be none.
    std::function<void(const Kind& object, platform::FieldReader& fields, const Tprgvar& settings)> requireTogether{};
    std::function<std::string(const Kind& object)> problemTogether{};
    // Called when the dialog closed with OK, before its fields are read.
    std::function<void(Kind& object)> beforeReading{};
    // Called when the dialog has taken the values: advice on them, say.
    std::function<void(const Kind& object, const EditContext& context)> afterTaking{};
    // The section's first line; empty: the kind keyword. Whether "color="
    // follows "begin".
    std::string section{};
    bool colourStored = true;
};

// A kind's dialog: the controls, then "OK" and "Cancel".
inline platform::DialogSpec KindDialog(std::string caption, std::vector<platform::Control> controls) {
    controls.push_back(platform::Control::Button("OK", platform::ModalResult::OK, true));
    controls.push_back(platform::Control::CancelButton());
    return {std::move(caption), std::move(controls)};
}

// A kind of Base whose dialog, Edit, ValueProblem, LoadFromFile and
// SaveToFile come from its form, Kind::Form(): the kind itself holds its
// geometry and physics only.
template <class Kind, class Base>
class DeclaredFields : public Base {
public:
    using Base::Base;

    // Shows the dialog until it closes with values the rules take (true) or
    // other than with OK (false). The values are stored as read, so a refused
    // dialog shows again what was typed; the caller puts back an object whose
    // dialog was cancelled.
    bool Edit(const EditContext& context) override {
        KindForm<Kind>& form = Kind::Form();
        form.fields.Show(form.dialog, Self());
        while (context.platform.ShowModal(form.dialog) == platform::ModalResult::OK) {
            if (form.beforeReading) form.beforeReading(Self());
            platform::FieldReader fields(form.dialog, form.conversion);
            form.fields.Read(fields, Self());
            for (const platform::Control& control : form.dialog.controls)
                if (control.id == "color") ApplyColourChoice(control, this->colour);
            if (form.requireTogether) form.requireTogether(Self(), fields, context.settings);
            if (fields.Refused(context.platform)) continue;
            if (form.afterTaking) form.afterTaking(Self(), context);
            return true;
        }
        return false;
    }

    std::string ValueProblem() const override {
        const KindForm<Kind>& form = Kind::Form();
        const std::string problems = form.fields.Problems(Self());
        return form.problemTogether ? JoinDistinctSentences(problems, form.problemTogether(Self())) : problems;
    }

    bool LoadFromFile(platform::TextFile& file) override {
        const KindForm<Kind>& form = Kind::Form();
        KeyReader reader(file);
        return reader.Keyword("begin") && (!form.colourStored || reader.Int("color=", this->colour)) &&
               form.fields.Load(reader, Self()) && reader.Keyword("end");
    }

    void SaveToFile(platform::TextFile& file) const override {
        const KindForm<Kind>& form = Kind::Form();
        file.WriteLine(form.section.empty() ? this->kind : form.section);
        file.WriteLine("begin");
        if (form.colourStored) file.WriteLine("color=" + platform::IntToStr(this->colour));
        form.fields.Save(file, Self());
        file.WriteLine("end");
    }

private:
    Kind& Self() { return static_cast<Kind&>(*this); }
    const Kind& Self() const { return static_cast<const Kind&>(*this); }
};

}  // namespace brevanto::model
