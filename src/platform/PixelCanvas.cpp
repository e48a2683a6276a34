// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PixelCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include "platform/PixelFont.h"
#include "platform/TextFont.h"

namespace brevanto::platform {

namespace {

// Columns first..last of one row; empty when first > last.
struct Span {
    int64_t first = 1;
    int64_t last = 0;
    bool Empty() const { return first > last; }
};

// The pixels the surface holds.
struct Surface {
    int64_t width;
    int64_t height;

    Span Clip(Span span) const { return {std::max<int64_t>(span.first, 0), std::min(span.last, width - 1)}; }
};

// Calls visit(x, y) for the pixels of a line from (fromX, fromY) up to but
// excluding (toX, toY) that lie on the surface. Step i along the longer axis
// moves the other coordinate by i * delta / steps rounded, halves away from
// the start: Bresenham's line. Each pixel follows from its step number alone,
// so a line cut off by the surface keeps its slope and a line reaching far
// outside costs only its visible part.
template <class Visit>
void ForEachLinePixel(int64_t fromX, int64_t fromY, int64_t toX, int64_t toY, Surface surface, Visit visit) {
    const int64_t dx = toX - fromX, dy = toY - fromY;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t steps = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t majorStart = xMajor ? fromX : fromY, minorStart = xMajor ? fromY : fromX;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorDelta = xMajor ? dy : dx;
    const int64_t majorEnd = xMajor ? surface.width : surface.height;
    const int64_t minorEnd = xMajor ? surface.height : surface.width;
    const int64_t first = std::max<int64_t>(0, majorStep > 0 ? -majorStart : majorStart - (majorEnd - 1));
    const int64_t last = std::min(steps - 1, majorStep > 0 ? majorEnd - 1 - majorStart : majorStart);
    for (int64_t i = first; i <= last; ++i) {
        // 2 * i * delta needs up to 66 bits for coordinates far outside the surface.
        const auto offset =
            static_cast<int64_t>((__int128{2} * i * std::abs(minorDelta) + steps) / (__int128{2} * steps));
        const int64_t minor = minorStart + (minorDelta < 0 ? -offset : offset);
        if (minor < 0 || minor >= minorEnd) continue;
        const int64_t major = majorStart + majorStep * i;
        if (xMajor)
            visit(major, minor);
        else
            visit(minor, major);
    }
}

// The ellipse inscribed in the box [left, right) x [top, bottom) covers the
// pixels whose centres lie inside it; its outline is made of those with a
// horizontal or vertical neighbour outside.
class EllipseRows {
public:
    EllipseRows(int left, int top, int right, int bottom, Surface visible)
        : firstRow(top),
          lastRow(int64_t{bottom} - 1),
          surface(visible),
          cx((static_cast<double>(left) + right) / 2),
          cy((static_cast<double>(top) + bottom) / 2),
          rx((static_cast<double>(right) - left) / 2),
          ry((static_cast<double>(bottom) - top) / 2) {}

    // Calls visit(y, outlineBefore, outlineAfter, interior) for every row on
    // the surface, with the spans cut to the surface; a row without interior
    // is outline from end to end.
    template <class Visit>
    void ForEachRow(Visit visit) const {
        if (rx <= 0 || ry <= 0) return;
        for (int64_t y = std::max<int64_t>(firstRow, 0); y <= std::min(lastRow, surface.height - 1); ++y) {
            const Span row = Row(y);
            if (row.Empty()) continue;
            const Span above = Row(y - 1), below = Row(y + 1);
            Span interior;
            if (!above.Empty() && !below.Empty())
                interior = {std::max({row.first + 1, above.first, below.first}),
                            std::min({row.last - 1, above.last, below.last})};
            if (interior.Empty())
                visit(y, surface.Clip(row), Span{}, Span{});
            else
                visit(y, surface.Clip({row.first, interior.first - 1}), surface.Clip({interior.last + 1, row.last}),
                      surface.Clip(interior));
        }
    }

    double CentreX() const { return cx; }
    double CentreY() const { return cy; }

private:
    Span Row(int64_t y) const {
        const double v = (static_cast<double>(y) + 0.5 - cy) / ry;
        if (v * v > 1) return {};
        const double half = rx * std::sqrt(1 - v * v);
        // Columns beyond the surface's neighbours all act alike; clamping keeps them in range.
        const double lowest = -2.0, highest = static_cast<double>(surface.width) + 1.0;
        return {static_cast<int64_t>(std::clamp(std::ceil(cx - half - 0.5), lowest, highest)),
                static_cast<int64_t>(std::clamp(std::floor(cx + half - 0.5), lowest, highest))};
    }

    int64_t firstRow;
    int64_t lastRow;
    Surface surface;
    double cx, cy, rx, ry;
};

// Counter-clockwise on the screen (y pointing down), in [0, 2 pi).
double ScreenAngle(double dx, double dy) {
    const double angle = std::atan2(-dy, dx);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

}  // namespace

// Hands draw a fill(y, span, rgb) that fills the span's pixels, and tells the
// surface afterwards when any were filled.
template <class Draw>
void PixelCanvas::Paint(Draw draw) {
    bool filled = false;
    draw([&](int64_t y, Span span, TColor rgb) {
        if (span.Empty()) return;
        FillSpan(static_cast<int>(y), static_cast<int>(span.first), static_cast<int>(span.last), rgb);
        filled = true;
    });
    if (filled) PixelsChanged();
}

void PixelCanvas::MoveTo(int x, int y) {
    penX = x;
    penY = y;
}

void PixelCanvas::LineTo(int x, int y) {
    const Surface surface{SurfaceWidth(), SurfaceHeight()};
    const TColor rgb = ToRgb(pen);
    Paint([&](auto fill) {
        ForEachLinePixel(penX, penY, x, y, surface, [&](int64_t px, int64_t py) { fill(py, Span{px, px}, rgb); });
    });
    penX = x;
    penY = y;
}

void PixelCanvas::FillRect(int left, int top, int right, int bottom) {
    // A hollow brush paints nothing, as with the GDI's null brush.
    if (brushStyle == BrushStyle::Hollow) return;
    const Surface surface{SurfaceWidth(), SurfaceHeight()};
    const TColor rgb = ToRgb(brush);
    const Span columns = surface.Clip({left, int64_t{right} - 1});
    if (left <= 0 && top <= 0 && right >= surface.width && bottom >= surface.height && FillWhole(rgb)) {
        PixelsChanged();
        return;
    }
    Paint([&](auto fill) {
        for (int64_t y = std::max(top, 0); y < std::min<int64_t>(bottom, surface.height); ++y) fill(y, columns, rgb);
    });
}

void PixelCanvas::TextOut(int x, int y, const std::string& text) {
    const Surface surface{SurfaceWidth(), SurfaceHeight()};
    const TColor rgb = ToRgb(pen);
    Paint([&](auto fill) {
        int64_t left = x;
        for (const char c : text) {
            const std::array<uint8_t, kGlyphWidth>& columns = Glyph(c);
            for (int column = 0; column < kGlyphWidth; ++column)
                for (int row = 0; row < kGlyphHeight; ++row) {
                    if ((columns[static_cast<size_t>(column)] >> row & 1) == 0) continue;
                    const int64_t dotLeft = left + int64_t{column} * kDot, dotTop = int64_t{y} + int64_t{row} * kDot;
                    const int64_t from = std::max<int64_t>(dotLeft, 0),
                                  to = std::min<int64_t>(dotLeft + kDot, surface.width) - 1;
                    for (int64_t py = std::max<int64_t>(dotTop, 0);
                         py < std::min<int64_t>(dotTop + kDot, surface.height); ++py)
                        if (from <= to) fill(py, Span{from, to}, rgb);
                }
            left += int64_t{kGlyphAdvance} * kDot;
        }
    });
}

void PixelCanvas::DrawText(int x, int y, const std::string& text, int pixelSize) {
    const TextCoverage coverage = RenderText(text, pixelSize);
    const TColor rgb = ToRgb(pen);
    // Each channel mixed in proportion to the coverage, rounded to nearest.
    const auto mix = [](TColor over, TColor under, int share) {
        TColor mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int a = static_cast<int>(over >> shift & 0xFF), b = static_cast<int>(under >> shift & 0xFF);
            mixed |= static_cast<TColor>((a * share + b * (255 - share) + 127) / 255) << shift;
        }
        return mixed;
    };
    const int64_t width = SurfaceWidth(), height = SurfaceHeight();
    Paint([&](auto fill) {
        for (int row = 0; row < coverage.extent.height; ++row)
            for (int column = 0; column < coverage.extent.width; ++column) {
                const int64_t px = int64_t{x} + column, py = int64_t{y} + row;
                const uint8_t share = coverage.At(column, row);
                if (share == 0 || px < 0 || py < 0 || px >= width || py >= height) continue;
                const TColor under = SurfacePixel(static_cast<int>(px), static_cast<int>(py));
                fill(py, Span{px, px}, mix(rgb, under, share));
            }
    });
}

std::optional<TColor> PixelCanvas::ShownPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= SurfaceWidth() || y >= SurfaceHeight()) return std::nullopt;
    return SurfacePixel(x, y);
}

void PixelCanvas::Ellipse(int left, int top, int right, int bottom) {
    const TColor outline = ToRgb(pen), inside = ToRgb(brush);
    const bool filled = brushStyle == BrushStyle::Solid;
    Paint([&](auto fill) {
        EllipseRows(left, top, right, bottom, {SurfaceWidth(), SurfaceHeight()})
            .ForEachRow([&](int64_t y, Span before, Span after, Span interior) {
                fill(y, before, outline);
                fill(y, after, outline);
                if (filled) fill(y, interior, inside);
            });
    });
}

void PixelCanvas::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
    const EllipseRows ellipse(left, top, right, bottom, {SurfaceWidth(), SurfaceHeight()});
    const double cx = ellipse.CentreX(), cy = ellipse.CentreY();
    const double from = ScreenAngle(startX - cx, startY - cy);
    double sweep = ScreenAngle(endX - cx, endY - cy) - from;
    if (sweep <= 0) sweep += 2 * std::numbers::pi;  // the same ray twice: the whole ellipse
    const TColor rgb = ToRgb(pen);
    Paint([&](auto fill) {
        const auto fillOnArc = [&](int64_t y, Span outline) {
            for (int64_t x = outline.first; x <= outline.last; ++x) {
                double offset =
                    ScreenAngle(static_cast<double>(x) + 0.5 - cx, static_cast<double>(y) + 0.5 - cy) - from;
                if (offset < 0) offset += 2 * std::numbers::pi;
                if (offset <= sweep) fill(y, Span{x, x}, rgb);
            }
        };
        ellipse.ForEachRow([&](int64_t y, Span before, Span after, Span) {
            fillOnArc(y, before);
            fillOnArc(y, after);
        });
    });
}

}  // namespace brevanto::platform
