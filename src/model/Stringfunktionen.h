#pragma once
#include <cstdint>
#include <string>

#include "platform/TextFile.h"

// The first n characters of s (all of s if it is shorter).
std::string LeftPart(const std::string& s, size_t n);
// The characters of s after the first n (empty if s is not longer).
std::string RestAfter(const std::string& s, size_t n);

// Reads the lines of one scene-file section in their fixed order. Each call
// reads one line and tells whether it matched; values are converted strictly,
// so a malformed number raises ConversionError. Chain the calls with && so
// that reading stops at the first line that does not match.
class KeyReader {
public:
    explicit KeyReader(platform::TextFile& file) : file(file) {}

    bool Keyword(const std::string& keyword);  // the whole line
    bool Int(const std::string& key, int32_t& value);
    bool Float(const std::string& key, float& value);
    // A value outside lowest ... highest raises ConversionError before it is
    // stored: the object never holds what the computation cannot take.
    bool Float(const std::string& key, float& value, float lowest, float highest);
    bool Boolean(const std::string& key, bool& value);  // "0" or "1"

private:
    // The value part of the next line when it starts with the key.
    bool Value(const std::string& key, std::string& value);
    platform::TextFile& file;
};
