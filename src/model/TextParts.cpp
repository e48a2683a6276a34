// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TextParts.h"

#include "platform/Conversions.h"

namespace brevanto::model {

std::string LeftPart(const std::string& s, size_t n) { return s.substr(0, n); }

std::string RestAfter(const std::string& s, size_t n) { return s.size() > n ? s.substr(n) : std::string(); }

std::string JoinSentences(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + " " + second;
}

std::string JoinDistinctSentences(const std::string& first, const std::string& second) {
    return first.find(second) == std::string::npos ? JoinSentences(first, second) : first;
}

bool KeyReader::Keyword(const std::string& keyword) {
    file.Expect("\"" + keyword + "\"");
    return file.ReadLine() == keyword;
}

bool KeyReader::Value(const std::string& key, std::string& value) {
    file.Expect("a line beginning with \"" + key + "\"");
    const std::string line = file.ReadLine();
    if (LeftPart(line, key.size()) != key) return false;
    value = RestAfter(line, key.size());
    return true;
}

bool KeyReader::Int(const std::string& key, int32_t& value) {
    std::string text;
    if (!Value(key, text)) return false;
    value = platform::StrToInt(text);
    return true;
}

bool KeyReader::Float(const std::string& key, float& value) {
    std::string text;
    if (!Value(key, text)) return false;
    value = platform::StrToFloat(text);
    return true;
}

bool KeyReader::Text(const std::string& key, std::string& value) { return Value(key, value); }

bool KeyReader::Boolean(const std::string& key, bool& value) {
    std::string text;
    if (!Value(key, text) || (text != "0" && text != "1")) return false;
    value = text == "1";
    return true;
}

}  // namespace brevanto::model
