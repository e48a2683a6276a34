#pragma once
#include <string>

namespace platform {

// Writes the bytes to a temporary file beside the target and then replaces the
// target, so a write that fails half-way leaves the previous file as it was.
// Throws InOutError.
void ReplaceFileContents(const std::string& fileName, const std::string& bytes);

}  // namespace platform
