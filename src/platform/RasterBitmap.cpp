// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RasterBitmap.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/SafeFileWrite.h"
#include "platform/SystemColours.h"

namespace brevanto::platform {

namespace {

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutPngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

RasterBitmap::RasterBitmap(int newWidth, int newHeight) { SetSize(newWidth, newHeight); }

void RasterBitmap::SetSize(int newWidth, int newHeight) {
    width = std::max(0, newWidth);
    height = std::max(0, newHeight);
    pixels.clear();
    pixels.shrink_to_fit();
    uniform = 0xFFFFFF;
}

TColor RasterBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    if (pixels.empty()) return uniform;
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

void RasterBitmap::HoldPixels() {
    if (pixels.empty()) pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), uniform);
}

bool RasterBitmap::FillWhole(TColor rgb) {
    pixels.clear();
    pixels.shrink_to_fit();
    uniform = rgb;
    return true;
}

TColor RasterBitmap::ToRgb(TColor colour) const { return ResolveColour(colour); }

void RasterBitmap::FillSpan(int y, int first, int last, TColor rgb) {
    HoldPixels();
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
    std::fill(row + first, row + last + 1, rgb);
}

void RasterBitmap::DrawBitmapPart(const Bitmap& bitmap, int left, int top, int right, int bottom) {
    const auto* raster = dynamic_cast<const RasterBitmap*>(&bitmap);
    if (raster == nullptr) return;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min({right, width, raster->width});
    bottom = std::min({bottom, height, raster->height});
    if (left >= right || top >= bottom) return;
    const bool whole = left == 0 && top == 0 && right == width && bottom == height;
    if (raster->pixels.empty() && whole) {
        FillWhole(raster->uniform);
        return;
    }
    HoldPixels();
    for (int y = top; y < bottom; ++y) {
        const auto to = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
        if (raster->pixels.empty()) {
            std::fill(to + left, to + right, raster->uniform);
        } else {
            const auto from = raster->pixels.begin() + static_cast<std::ptrdiff_t>(y) * raster->width;
            std::copy(from + left, from + right, to + left);
        }
    }
}

std::vector<uint8_t> RasterBitmap::BmpBytes() const {
    const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, 54 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<uint32_t>(width), 4);
    PutLittleEndian(out, static_cast<uint32_t>(height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, imageSize, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {  // bottom-up rows of blue, green, red
        for (int x = 0; x < width; ++x) {
            const TColor c = Pixel(x, y);
            out.push_back(static_cast<uint8_t>(BlueOf(c)));
            out.push_back(static_cast<uint8_t>(GreenOf(c)));
            out.push_back(static_cast<uint8_t>(RedOf(c)));
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> RasterBitmap::PngBytes() const {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const TColor c = Pixel(x, y);
            raw.push_back(static_cast<uint8_t>(RedOf(c)));
            raw.push_back(static_cast<uint8_t>(GreenOf(c)));
            raw.push_back(static_cast<uint8_t>(BlueOf(c)));
        }
    }
    // A zlib stream of stored (uncompressed) deflate blocks.
    std::vector<uint8_t> zlib{0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        zlib.push_back(last ? 1 : 0);
        PutLittleEndian(zlib, static_cast<uint32_t>(length), 2);
        PutLittleEndian(zlib, static_cast<uint32_t>(~length & 0xFFFF), 2);
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                    raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    PutBigEndian(zlib, (b << 16) | a);

    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutPngChunk(out, "IHDR", header);
    PutPngChunk(out, "IDAT", zlib);
    PutPngChunk(out, "IEND", {});
    return out;
}

void RasterBitmap::SaveToFile(const std::string& fileName, PictureFormat format) const {
    const auto bytes = format == PictureFormat::Png ? PngBytes() : BmpBytes();
    ReplaceFileContents(fileName, std::string(bytes.begin(), bytes.end()));
}

}  // namespace brevanto::platform
