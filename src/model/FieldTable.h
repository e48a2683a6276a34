// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "model/TextParts.h"
#include "platform/Conversions.h"
#include "platform/Dialog.h"
#include "platform/FieldReader.h"

namespace brevanto::model {

// What a dialog says of a value it refuses; empty for one it takes.
using FieldRule = std::string (*)(double value);

// One field of a kind as its dialog and its scene file know it. The key is
// the file's key (without "=") and the id of the dialog control, so a key
// leads to everything that reads or writes the field. A flag is a pair of
// radio buttons: `label` is the one for true, `offId` and `offLabel` the one
// for false.
struct FieldDeclaration {
    std::string key;
    std::string label;
    std::string unit{};   // shown beside the field's edit ("%")
    FieldRule rule{};     // none: the dialog takes any number
    bool besideLast{};    // its edit stands beside the field before it
    std::string offId{};  // flags only
    std::string offLabel{};
};

// The fields of a kind, in the order of its scene-file section. The dialog
// places them in its own order, each by its key.
class FieldList {
public:
    explicit FieldList(std::vector<FieldDeclaration> declarations) : declarations(std::move(declarations)) {}

    // The controls of the fields with these keys, in this order: an edit with
    // its unit beside it, or a flag's two radio buttons.
    std::vector<platform::Control> Controls(std::initializer_list<const char*> keys) const;

protected:
    // The field whose control has this id; nullptr for none.
    const FieldDeclaration* Find(const std::string& id) const;
    std::vector<FieldDeclaration> declarations;
};

// A kind's fields, each with the member of Kind that holds it: the one table
// from which its dialog is filled and read and its file section written and
// read, so that no field can be missed or taken out of order in one of them.
template <class Kind>
class FieldTable : public FieldList {
public:
    using Member = std::variant<int32_t Kind::*, float Kind::*, bool Kind::*>;
    struct Field {
        FieldDeclaration declaration;
        Member member;
    };

    // The fields of the parts one after the other (the geometry's, the kind's own).
    explicit FieldTable(std::initializer_list<std::vector<Field>> parts) : FieldList(DeclarationsOf(parts)) {
        for (const std::vector<Field>& part : parts)
            for (const Field& field : part) members.push_back(field.member);
    }

    // The "key=value" lines, in table order.
    void Save(platform::TextFile& file, const Kind& object) const {
        for (size_t i = 0; i < members.size(); ++i)
            file.WriteLine(declarations[i].key + "=" + FileText(object, members[i]));
    }

    // Reads the lines in table order; false at the first that does not match.
    // Values a dialog would refuse are kept as stored (Problems tells of them).
    bool Load(KeyReader& reader, Kind& object) const {
        for (size_t i = 0; i < members.size(); ++i)
            if (!std::visit([&](auto member) { return Read(reader, declarations[i].key + "=", object.*member); },
                            members[i]))
                return false;
        return true;
    }

    // Puts the object's values into those of the dialog's controls that
    // show a field.
    void Show(platform::DialogSpec& dialog, const Kind& object) const {
        for (size_t i = 0; i < members.size(); ++i)
            for (platform::Control& control : dialog.controls)
                if (control.id == declarations[i].key) ShowIn(dialog, control, declarations[i], object, members[i]);
    }

    // Stores what the dialog's fields hold, in the dialog's order, then
    // refuses the values their rules refuse, in the same order.
    void Read(platform::FieldReader& fields, Kind& object) const {
        for (const platform::Control& control : fields.Dialog().controls)
            if (const FieldDeclaration* field = Find(control.id)) ReadFrom(fields, *field, object);
        for (const platform::Control& control : fields.Dialog().controls)
            if (const FieldDeclaration* field = Find(control.id); field && field->rule) {
                const std::string problem = field->rule(Value(object, *field));
                fields.Require(problem.empty(), field->key, problem);
            }
    }

    // What the rules refuse in the object's values, in table order, each
    // sentence once (fields that share a rule refuse with the same words); empty when they take them all.
    std::string Problems(const Kind& object) const {
        std::string problems;
        for (const FieldDeclaration& field : declarations)
            if (field.rule) problems = JoinDistinctSentences(problems, field.rule(Value(object, field)));
        return problems;
    }

private:
    static std::vector<FieldDeclaration> DeclarationsOf(std::initializer_list<std::vector<Field>> parts) {
        std::vector<FieldDeclaration> result;
        for (const std::vector<Field>& part : parts)
            for (const Field& field : part) result.push_back(field.declaration);
        return result;
    }

    const Member& MemberOf(const FieldDeclaration& field) const {
        return members[static_cast<size_t>(&field - declarations.data())];
    }

    double Value(const Kind& object, const FieldDeclaration& field) const {
        return std::visit([&](auto member) { return static_cast<double>(object.*member); }, MemberOf(field));
    }

    static std::string FileText(const Kind& object, const Member& member) {
        if (const auto* flag = std::get_if<bool Kind::*>(&member)) return object.**flag ? "1" : "0";
        if (const auto* number = std::get_if<float Kind::*>(&member)) return platform::FloatToStr(object.**number);
        return platform::IntToStr(object.*std::get<int32_t Kind::*>(member));
    }

    static bool Read(KeyReader& reader, const std::string& key, bool& value) { return reader.Boolean(key, value); }
    static bool Read(KeyReader& reader, const std::string& key, float& value) { return reader.Float(key, value); }
    static bool Read(KeyReader& reader, const std::string& key, int32_t& value) { return reader.Int(key, value); }

    static void ShowIn(platform::DialogSpec& dialog, platform::Control& control, const FieldDeclaration& field,
                       const Kind& object, const Member& member) {
        if (const auto* flag = std::get_if<bool Kind::*>(&member)) {
            control.checked = object.**flag;
            dialog[field.offId].checked = !control.checked;
        } else if (const auto* number = std::get_if<float Kind::*>(&member)) {
            control.text = platform::ShortestFloatToStr(object.**number);
        } else {
            control.text = platform::IntToStr(object.*std::get<int32_t Kind::*>(member));
        }
    }

    void ReadFrom(platform::FieldReader& fields, const FieldDeclaration& field, Kind& object) const {
        const Member& member = MemberOf(field);
        if (const auto* flag = std::get_if<bool Kind::*>(&member))
            object.** flag = !fields.Dialog()[field.offId].checked;
        else if (const auto* number = std::get_if<float Kind::*>(&member))
            object.** number = fields.Float(field.key);
        else
            object.*std::get<int32_t Kind::*>(member) = fields.Int(field.key);
    }

    std::vector<Member> members;  // by declaration
};

}  // namespace brevanto::model
