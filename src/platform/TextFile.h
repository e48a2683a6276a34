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
    // The number (from 1) of the line ReadLine gave last; 0 before the first.
    size_t LineNumber() const { return next; }
    // What a reader expects of the next line, kept to say what was wrong
    // with a line that did not match.
    void Expect(std::string expected) { expectation = std::move(expected); }
    const std::string& Expectation() const { return expectation; }
    // The line ReadLine gave last (empty past the end).
    std::string LastLine() const { return next >= 1 && next <= lines.size() ? lines[next - 1] : std::string(); }
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
    std::string expectation;
};

}  // namespace platform
