// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileNames.h"

#include <algorithm>
#include <cctype>

namespace brevanto::files {

std::string WithExtension(const std::string& fileName, const std::string& extension) {
    if (fileName.ends_with(extension)) return fileName;
    return fileName + extension;
}

bool EndsWithNoCase(const std::string& fileName, const std::string& extension) {
    if (fileName.size() < extension.size()) return false;
    return std::equal(extension.begin(), extension.end(),
                      fileName.end() - static_cast<std::ptrdiff_t>(extension.size()), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace brevanto::files
