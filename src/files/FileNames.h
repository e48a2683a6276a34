#pragma once
#include <string>

// The name with the extension (such as ".brv") appended unless its last
// characters are exactly that extension; "scene.BRV" becomes "scene.BRV.brv".
std::string WithExtension(const std::string& fileName, const std::string& extension);
