#pragma once
#include <string>
#include <vector>

namespace platform {

// A text file of lines, read and written as a whole. Lines end in CR LF on
// disk; reading past the end gives empty lines.
class TextFile {
public:
    TextFile() = default;
    static TextFile FromText(const std::string& text);
    // Throws InOutError when the file cannot be read.
    static TextFile Read(const std::string& fileName);

    std::string ReadLine();
    bool AtEnd() const { return next >= lines.size(); }
    void WriteLine(const std::string& line) { lines.push_back(line); }

    const std::vector<std::string>& Lines() const { return lines; }
    std::string Text() const;  // every line followed by CR LF
    // Writes to a temporary file beside the target and then replaces the
    // target, so a failed save leaves the previous file as it was. Throws
    // InOutError.
    void Write(const std::string& fileName) const;

private:
    std::vector<std::string> lines;
    size_t next = 0;
};

}  // namespace platform
