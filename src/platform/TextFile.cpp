// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

namespace brevanto::platform {

namespace {
std::string Reason() { return std::strerror(errno); }
}  // namespace

TextFile TextFile::FromText(const std::string& text) {
    TextFile file;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.lines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
}

TextFile TextFile::Read(const std::string& fileName) {
    errno = 0;
    auto in = std::make_shared<std::ifstream>(fileName, std::ios::binary);
    if (!*in) throw InOutError("Cannot open file \"" + fileName + "\". " + Reason());
    TextFile file;
    file.source = std::move(in);
    file.fileName = fileName;
    return file;
}

bool TextFile::ReadFromSource(std::string& line) {
    line.clear();
    std::istream& in = *source;
    if (in.peek() == std::char_traits<char>::eof()) {
        if (in.bad()) throw InOutError("Cannot read file \"" + fileName + "\". " + Reason());
        return false;
    }
    for (int c = in.get(); c != std::char_traits<char>::eof() && c != '\n'; c = in.get()) {
        if (line.size() == kLongestLine)
            throw InOutError("Line " + std::to_string(next + 1) + " of file \"" + fileName + "\" is longer than " +
                             std::to_string(kLongestLine) + " characters.");
        line.push_back(static_cast<char>(c));
    }
    if (in.bad()) throw InOutError("Cannot read file \"" + fileName + "\". " + Reason());
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::string TextFile::ReadLine() {
    // Past the end the line number goes on counting the empty lines read.
    lastPastEnd = false;
    if (next < lines.size()) {
        last = lines[next];
    } else if (!source || !ReadFromSource(last)) {
        last.clear();
        lastPastEnd = true;
    }
    ++next;
    return last;
}

bool TextFile::AtEnd() const {
    return next >= lines.size() && (!source || source->peek() == std::char_traits<char>::eof());
}

std::string TextFile::Text() const {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

void TextFile::Write(const std::string& fileName) const { ReplaceFileContents(fileName, Text()); }

}  // namespace brevanto::platform
