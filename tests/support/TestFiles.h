// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

inline std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Lines joined into the bytes of a file, each ending in CR LF.
inline std::string FileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The lines of tests/data/every-kind.brv: settings off their defaults and one
// object of each kind.
inline std::vector<std::string> EveryKind() {
    const std::string path = BREVANTO_SOURCE_DIR "/tests/data/every-kind.brv";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing test fixture " + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// `lines` with, for each edit, the first line equal to `from` replaced by `to`
// (removed when `to` is empty).
using LineEdits = std::vector<std::pair<std::string, std::string>>;
inline std::vector<std::string> Edited(std::vector<std::string> lines, const LineEdits& edits) {
    for (const auto& [from, to] : edits) {
        const auto at = std::find(lines.begin(), lines.end(), from);
        if (at == lines.end()) throw std::logic_error("no line " + from);
        if (to.empty())
            lines.erase(at);
        else
            *at = to;
    }
    return lines;
}
inline std::string With(const std::vector<std::string>& lines, const LineEdits& edits) {
    return FileBytes(Edited(lines, edits));
}

// A folder of its own for the files a test writes, named by test and process
// so that test runs at the same time do not share it; removed afterwards,
// also when a test took away its permissions.
class TempFolder {
public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::path(::testing::TempDir()) / (std::string("brevanto-") + test->test_suite_name() +
                                                                "-" + test->name() + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(folder, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};
