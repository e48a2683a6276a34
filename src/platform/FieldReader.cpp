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

std::string FieldReader::InField(const std::string& message, const std::string& id) const {
    return message + "\rin the field \"" + Label(id) + "\".";
}

std::string FieldReader::TooLarge(const std::string& id) const {
    return "The number in the field \"" + Label(id) + "\" is too large.";
}

// A text that is not a number gets the conversion's own message, as the
// program has always shown it, and the field's label.
int32_t FieldReader::Int(const std::string& id) {
    const std::string& text = dialog[id].text;
    try {
        return StrToInt(text);
    } catch (const ConversionError& error) {
        Require(false, id, WrittenAsNumber(text, false) ? TooLarge(id) : InField(error.what(), id));
        return 0;
    }
}

float FieldReader::Float(const std::string& id) {
    const std::string& text = dialog[id].text;
    try {
        return StrToFloat(text);
    } catch (const ConversionError& error) {
        Require(false, id, WrittenAsNumber(text, true) ? TooLarge(id) : InField(error.what(), id));
        return 0;
    }
}

int32_t FieldReader::LenientInt(const std::string& id) {
    const std::string& text = dialog[id].text;
    const std::optional<int32_t> value = TryStrToInt(text);
    Require(value || !WrittenAsNumber(text, false), id, TooLarge(id));
    return value.value_or(0);
}

float FieldReader::LenientFloat(const std::string& id) {
    const std::string& text = dialog[id].text;
    const std::optional<float> value = TryStrToFloat(text);
    Require(value || !WrittenAsNumber(text, true), id, TooLarge(id));
    return value.value_or(0.0f);
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
