#include "platform/SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/Errors.h"

namespace platform {

void ReplaceFileContents(const std::string& fileName, const std::string& bytes) {
    const std::string temporary = fileName + ".part";
    errno = 0;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw InOutError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::string reason = std::strerror(errno);
            out.close();
            std::remove(temporary.c_str());
            throw InOutError("Cannot write file \"" + fileName + "\". " + reason);
        }
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw InOutError("Cannot replace file \"" + fileName + "\". " + reason);
    }
}

}  // namespace platform
