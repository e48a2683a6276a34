#include "model/Stringfunktionen.h"

#include "platform/Conversions.h"
#include "platform/Errors.h"

std::string LeftPart(const std::string& s, size_t n) { return s.substr(0, n); }

std::string RestAfter(const std::string& s, size_t n) { return s.size() > n ? s.substr(n) : std::string(); }

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

bool KeyReader::Float(const std::string& key, float& value, float lowest, float highest) {
    float read = 0;
    if (!Float(key, read)) return false;
    if (!(read >= lowest && read <= highest))
        throw platform::ConversionError(key + platform::ShortestFloatToStr(read) + " is not a value from " +
                                        platform::ShortestFloatToStr(lowest) + " to " +
                                        platform::ShortestFloatToStr(highest));
    value = read;
    return true;
}

bool KeyReader::Boolean(const std::string& key, bool& value) {
    std::string text;
    if (!Value(key, text) || (text != "0" && text != "1")) return false;
    value = text == "1";
    return true;
}
