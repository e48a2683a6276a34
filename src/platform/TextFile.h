// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace brevanto::platform {

// A text file of lines. Lines end in CR LF on disk; reading past the end
// gives empty lines. A file opened with Read is read line by line as
// ReadLine asks, so a reader that stops at a line it cannot use never reads
// the rest, however large the file is.
class TextFile {
public:
    // No line of a file this program writes comes near this; a longer one is
    // not read into memory.
    static constexpr size_t kLongestLine = 1 << 20;

    TextFile() = default;
    static TextFile FromText(const std::string& text);
    // Opens the file; throws InOutError when it cannot be opened.
    static TextFile Read(const std::string& fileName);

    // Throws InOutError when the line is longer than kLongestLine or the file
    // cannot be read.
    std::string ReadLine();
    bool AtEnd() const;
    // The number (from 1) of the line ReadLine gave last; 0 before the first.
    size_t LineNumber() const { return next; }
    // What a reader expects of the next line, kept to say what was wrong
    // with a line that did not match.
    void Expect(std::string expected) { expectation = std::move(expected); }
    const std::string& Expectation() const { return expectation; }
    // The line ReadLine gave last (empty past the end).
    std::string LastLine() const { return last; }
    // Whether that line lay past the end of the file.
    bool LastLinePastEnd() const { return lastPastEnd; }
    void WriteLine(const std::string& line) { lines.push_back(line); }

    // The lines written, or those of the text a file was made from.
    const std::vector<std::string>& Lines() const { return lines; }
    std::string Text() const;  // every line followed by CR LF
    // Writes to a temporary file beside the target and then replaces the
    // target, so a failed save leaves the previous file as it was. Throws
    // InOutError.
    void Write(const std::string& fileName) const;

private:
    // The next line of the file being read; false at its end.
    bool ReadFromSource(std::string& line);

    std::vector<std::string> lines;
    std::shared_ptr<std::istream> source;  // a file being read; shared so that copies read on together
    std::string fileName;
    size_t next = 0;
    std::string last;
    bool lastPastEnd = false;
    std::string expectation;
};

}  // namespace brevanto::platform
