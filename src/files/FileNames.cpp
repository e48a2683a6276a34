#include "files/FileNames.h"

std::string WithExtension(const std::string& fileName, const std::string& extension) {
    if (fileName.ends_with(extension)) return fileName;
    return fileName + extension;
}
