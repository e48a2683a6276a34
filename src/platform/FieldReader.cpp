// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FieldReader.h"

#include <algorithm>

#include "platform/Conversions.h"
#include "platform/Errors.h"

namespace brevanto::platform {

namespace {

// Text written as a number that the conversion still refuses is too large
// for its type: the user needs to hear that, not that it is too small. The
// number's form: blanks, a sign, digits, for a fraction also a decimal point
// with digits and an exponent.
bool WrittenAsNumber(const std::string& text, bool fraction) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - start;
    };
    if (text[i] == '+' || text[i] == '-') ++i;
    size_t mantissa = digits();
    if (fraction && i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (fraction && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

}  // namespace

std::string FieldReader::Label(const std::string& id) const {
    const std::string& caption = dialog[id].caption;
    return caption.empty() ? id : caption;
}

// A number too large for its type is called so; other text that is not a
// number gets, when read strictly, the conversion's own message, as the
// program has always shown it, and the field's label.
void FieldReader::RefuseUnconverted(const std::string& id, bool fraction, const std::function<void()>& convert) {
    const std::string& text = dialog[id].text;
    if (WrittenAsNumber(text, fraction)) return Require(false, id, TooLarge(id));
    if (conversion == Conversion::Lenient) return;
    try {
        convert();
    } catch (const ConversionError& error) {
        Require(false, id, std::string(error.what()) + "\rin the field \"" + Label(id) + "\".");
    }
}

std::string FieldReader::TooLarge(const std::string& id) const {
    return "The number in the field \"" + Label(id) + "\" is too large.";
}

int32_t FieldReader::Int(const std::string& id) {
    const std::string& text = dialog[id].text;
    if (const std::optional<int32_t> value = TryStrToInt(text)) return *value;
    RefuseUnconverted(id, false, [&] { StrToInt(text); });
    return 0;
}

float FieldReader::Float(const std::string& id) {
    const std::string& text = dialog[id].text;
    if (const std::optional<float> value = TryStrToFloat(text)) return *value;
    RefuseUnconverted(id, true, [&] { StrToFloat(text); });
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

}  // namespace brevanto::platform
