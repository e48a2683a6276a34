#include "platform/FieldReader.h"

#include <algorithm>
#include <regex>

#include "platform/Conversions.h"
#include "platform/Errors.h"

namespace platform {

namespace {

// Text written as a number that the conversion still refuses is too large
// for its type: the user needs to hear that, not that it is too small.
bool WrittenAsNumber(const std::string& text, bool fraction) {
    static const std::regex whole(R"(\s*[+-]?\d+)");
    static const std::regex decimal(R"(\s*[+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?)");
    return std::regex_match(text, fraction ? decimal : whole);
}

}  // namespace

std::string FieldReader::Label(const std::string& id) const {
    const std::string& caption = dialog[id].caption;
    return caption.empty() ? id : caption;
}

void FieldReader::Refuse(const std::string& id, const std::function<void()>& convert) {
    try {
        convert();
    } catch (const ConversionError& error) {
        Require(false, id, std::string(error.what()) + "\rin the field \"" + Label(id) + "\".");
    }
}

std::string FieldReader::TooLarge(const std::string& id) const {
    return "The number in the field \"" + Label(id) + "\" is too large.";
}

// A text that is not a number gets the conversion's own message, as the
// program has always shown it, and the field's label.
int32_t FieldReader::Int(const std::string& id) {
    const std::string& text = dialog[id].text;
    if (const std::optional<int32_t> value = TryStrToInt(text)) return *value;
    if (WrittenAsNumber(text, false))
        Require(false, id, TooLarge(id));
    else if (conversion == Conversion::Strict)
        Refuse(id, [&] { StrToInt(text); });
    return 0;
}

float FieldReader::Float(const std::string& id) {
    const std::string& text = dialog[id].text;
    if (const std::optional<float> value = TryStrToFloat(text)) return *value;
    if (WrittenAsNumber(text, true))
        Require(false, id, TooLarge(id));
    else if (conversion == Conversion::Strict)
        Refuse(id, [&] { StrToFloat(text); });
    return 0;
}

void FieldReader::Require(bool condition, const std::string& id, const std::string& message) {
    if (condition || std::ranges::find(refused, id) != refused.end()) return;
    refused.push_back(id);
    if (std::ranges::find(messages, message) == messages.end()) messages.push_back(message);
}

bool FieldReader::Refused(Platform& platform) {
    for (const std::string& message : messages) platform.ShowMessage(message);
    if (refused.empty()) return false;
    dialog.focus = refused.front();
    return true;
}

}  // namespace platform
