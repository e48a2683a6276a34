// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "platform/TextFile.h"

namespace brevanto::model {

// The first n characters of s (all of s if it is shorter).
std::string LeftPart(const std::string& s, size_t n);
// The characters of s after the first n (empty if s is not longer).
std::string RestAfter(const std::string& s, size_t n);
// Two sentences one after the other, a blank between; either may be empty.
std::string JoinSentences(const std::string& first, const std::string& second);
// The same, without `second` when `first` holds it already.
std::string JoinDistinctSentences(const std::string& first, const std::string& second);

// Reads the lines of one scene-file section in their fixed order. Each call
// reads one line and tells whether it matched; values are converted strictly,
// so a malformed number raises ConversionError. Chain the calls with && so
// that reading stops at the first line that does not match.
class KeyReader {
public:
    explicit KeyReader(platform::TextFile& file) : file(file) {}

    bool Keyword(const std::string& keyword);  // the whole line
    bool Int(const std::string& key, int32_t& value);
    // Any float: values that a dialog would refuse are kept as stored, and
    // the object tells of them (Tszeneobjekt::ValueProblem).
    bool Float(const std::string& key, float& value);
    bool Boolean(const std::string& key, bool& value);      // "0" or "1"
    bool Text(const std::string& key, std::string& value);  // the rest of the line

private:
    // The value part of the next line when it starts with the key.
    bool Value(const std::string& key, std::string& value);
    platform::TextFile& file;
};

}  // namespace brevanto::model
