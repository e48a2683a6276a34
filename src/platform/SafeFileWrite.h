#pragma once
#include <string>

namespace platform {

// Writes the bytes to a temporary file beside the target, syncs it to the
// disk and then replaces the target, so a write that fails half-way leaves
// the previous file as it was. What the user had stays: an existing file
// keeps its mode, owner and hard links, a symbolic link stays and its target
// receives the data, a read-only file is refused, and a temporary file left
// by an interrupted save is cleaned up. Throws InOutError naming the file
// that failed.
void ReplaceFileContents(const std::string& fileName, const std::string& bytes);

}  // namespace platform
