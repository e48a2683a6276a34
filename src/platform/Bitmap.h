// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace brevanto::platform {

class Canvas;

enum class PictureFormat { Bmp, Png };

// An off-screen picture with its own canvas.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual Canvas& GetCanvas() = 0;
    // Writes the picture at its full size, as a Windows bitmap (BMP) or a PNG
    // file; throws InOutError.
    virtual void SaveToFile(const std::string& fileName, PictureFormat format) const = 0;
};

}  // namespace brevanto::platform
