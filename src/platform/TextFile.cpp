#include "platform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

namespace platform {

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
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw InOutError("Cannot open file \"" + fileName + "\". " + Reason());
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw InOutError("Cannot read file \"" + fileName + "\". " + Reason());
    return FromText(content.str());
}

std::string TextFile::ReadLine() {
    // Past the end the line number goes on counting the empty lines read.
    if (AtEnd()) {
        ++next;
        return {};
    }
    return lines[next++];
}

std::string TextFile::Text() const {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

void TextFile::Write(const std::string& fileName) const { ReplaceFileContents(fileName, Text()); }

}  // namespace platform
