#include "platform/RasterBitmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/SafeFileWrite.h"
#include "platform/SystemColours.h"

namespace platform {

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

// Liang-Barsky: clips the segment to the box; false when nothing is left.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
                 double ymax) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (size_t i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double sx = x0, sy = y0;
    x0 = sx + t0 * dx;
    y0 = sy + t0 * dy;
    x1 = sx + t1 * dx;
    y1 = sy + t1 * dy;
    return true;
}

}  // namespace

RasterBitmap::RasterBitmap(int newWidth, int newHeight) { SetSize(newWidth, newHeight); }

void RasterBitmap::SetSize(int newWidth, int newHeight) {
    width = std::max(0, newWidth);
    height = std::max(0, newHeight);
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFFFFFF);
}

TColor RasterBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

void RasterBitmap::Plot(int x, int y, TColor colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
}

void RasterBitmap::MoveTo(int x, int y) {
    penX = x;
    penY = y;
}

void RasterBitmap::LineTo(int x, int y) {
    // Clip first: objects may lie far outside the picture.
    double x0 = penX, y0 = penY, x1 = x, y1 = y;
    const bool endInside = x >= -1 && y >= -1 && x <= width && y <= height;
    penX = x;
    penY = y;
    if (!ClipSegment(x0, y0, x1, y1, -1, -1, width, height)) return;
    int ax = static_cast<int>(std::lround(x0)), ay = static_cast<int>(std::lround(y0));
    const int bx = static_cast<int>(std::lround(x1)), by = static_cast<int>(std::lround(y1));
    const TColor colour = ResolveColour(pen);
    const int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
    const int stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1;
    int error = dx + dy;
    while (true) {
        const bool atEnd = ax == bx && ay == by;
        if (atEnd && endInside) break;  // the end point itself is not drawn
        Plot(ax, ay, colour);
        if (atEnd) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            ax += stepX;
        }
        if (twice <= dx) {
            error += dx;
            ay += stepY;
        }
    }
}

void RasterBitmap::FillRect(int left, int top, int right, int bottom) {
    const TColor colour = ResolveColour(brush);
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) Plot(x, y, colour);
}

template <class Select>
void RasterBitmap::PlotEllipseOutline(int left, int top, int right, int bottom, Select select) {
    const double cx = (static_cast<double>(left) + right) / 2, cy = (static_cast<double>(top) + bottom) / 2;
    const double rx = (static_cast<double>(right) - left) / 2, ry = (static_cast<double>(bottom) - top) / 2;
    if (rx <= 0 || ry <= 0) return;
    auto inside = [&](int x, int y) {
        const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    const TColor outline = ResolveColour(pen), fill = ResolveColour(brush);
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            select(x, y, edge, cx, cy, outline, fill);
        }
}

void RasterBitmap::Ellipse(int left, int top, int right, int bottom) {
    const bool filled = brushStyle == BrushStyle::Solid;
    PlotEllipseOutline(left, top, right, bottom, [&](int x, int y, bool edge, double, double, TColor outline, TColor fill) {
        if (edge) Plot(x, y, outline);
        else if (filled) Plot(x, y, fill);
    });
}

void RasterBitmap::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
    const double cx = (static_cast<double>(left) + right) / 2, cy = (static_cast<double>(top) + bottom) / 2;
    // Angles counter-clockwise on the screen, that is with y pointing up.
    auto angle = [](double dx, double dy) {
        double a = std::atan2(-dy, dx);
        return a < 0 ? a + 2 * M_PI : a;
    };
    const double from = angle(startX - cx, startY - cy);
    double span = angle(endX - cx, endY - cy) - from;
    if (span <= 0) span += 2 * M_PI;
    PlotEllipseOutline(left, top, right, bottom, [&](int x, int y, bool edge, double, double, TColor outline, TColor) {
        if (!edge) return;
        double offset = angle(x + 0.5 - cx, y + 0.5 - cy) - from;
        if (offset < 0) offset += 2 * M_PI;
        if (offset <= span) Plot(x, y, outline);
    });
}

void RasterBitmap::DrawBitmap(const Bitmap& bitmap) {
    const auto* raster = dynamic_cast<const RasterBitmap*>(&bitmap);
    if (raster == nullptr) return;
    for (int y = 0; y < std::min(height, raster->height); ++y)
        for (int x = 0; x < std::min(width, raster->width); ++x) Plot(x, y, raster->Pixel(x, y));
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

void RasterBitmap::SaveToFile(const std::string& fileName) const {
    const auto bytes = BmpBytes();
    ReplaceFileContents(fileName, std::string(bytes.begin(), bytes.end()));
}

}  // namespace platform
