#pragma once
#include <string>

#include "platform/Canvas.h"

namespace platform {

// An off-screen picture with its own canvas.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual Canvas& GetCanvas() = 0;
    // Writes a Windows bitmap (BMP) of the full size; throws InOutError.
    virtual void SaveToFile(const std::string& fileName) const = 0;
};

}  // namespace platform
