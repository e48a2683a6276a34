#include "platform/qt/QtCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include <QPainter>
#include <QPolygon>

#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtConversions.h"

namespace platform {

namespace {

// Columns first..last of one row; empty when first > last.
struct Span {
    int64_t first = 1;
    int64_t last = 0;
    bool Empty() const { return first > last; }
};

// The pixels of a line from `from` up to but excluding `to` that lie in
// `area`. Step i along the longer axis moves the other coordinate by
// i * delta / steps rounded (halves away from the start): Bresenham's line.
// Each pixel is computed from its step number, so a line that reaches far
// outside the picture costs only its visible part.
QPolygon LinePixels(QPoint from, QPoint to, const QRect& area) {
    const int64_t dx = int64_t{to.x()} - from.x(), dy = int64_t{to.y()} - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t steps = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t majorStart = xMajor ? from.x() : from.y(), minorStart = xMajor ? from.y() : from.x();
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorDelta = xMajor ? dy : dx;
    const int64_t lowest = xMajor ? area.left() : area.top(), highest = xMajor ? area.right() : area.bottom();
    const int64_t minorLowest = xMajor ? area.top() : area.left(), minorHighest = xMajor ? area.bottom() : area.right();
    const int64_t first = std::max<int64_t>(0, majorStep > 0 ? lowest - majorStart : majorStart - highest);
    const int64_t last = std::min(steps - 1, majorStep > 0 ? highest - majorStart : majorStart - lowest);
    QPolygon pixels;
    for (int64_t i = first; i <= last; ++i) {
        // 2 * i * delta needs up to 66 bits for coordinates far outside the picture.
        const auto offset =
            static_cast<int64_t>((__int128{2} * i * std::abs(minorDelta) + steps) / (__int128{2} * steps));
        const int64_t minor = minorStart + (minorDelta < 0 ? -offset : offset);
        if (minor < minorLowest || minor > minorHighest) continue;
        const auto major = static_cast<int>(majorStart + majorStep * i);
        pixels << (xMajor ? QPoint(major, static_cast<int>(minor)) : QPoint(static_cast<int>(minor), major));
    }
    return pixels;
}

// The ellipse inscribed in the box [left, right) x [top, bottom) covers the
// pixels whose centres lie inside it; its outline is made of those with a
// horizontal or vertical neighbour outside.
class EllipsePixels {
public:
    EllipsePixels(int left, int top, int right, int bottom, const QRect& visible)
        : firstRow(top), lastRow(int64_t{bottom} - 1), area(visible), cx((static_cast<double>(left) + right) / 2),
          cy((static_cast<double>(top) + bottom) / 2), rx((static_cast<double>(right) - left) / 2),
          ry((static_cast<double>(bottom) - top) / 2) {}

    // Calls visit(y, outlineLeft, outlineRight, interior) for every row in
    // the area; a row without interior is outline from end to end.
    template <class Visit>
    void ForEachRow(Visit visit) const {
        if (rx <= 0 || ry <= 0) return;
        for (int64_t y = std::max<int64_t>(firstRow, area.top()); y <= std::min<int64_t>(lastRow, area.bottom()); ++y) {
            const Span row = Row(y);
            if (row.Empty()) continue;
            const Span above = Row(y - 1), below = Row(y + 1);
            Span interior;
            if (!above.Empty() && !below.Empty())
                interior = {std::max({row.first + 1, above.first, below.first}),
                            std::min({row.last - 1, above.last, below.last})};
            if (interior.Empty()) visit(static_cast<int>(y), row, Span{}, interior);
            else visit(static_cast<int>(y), Span{row.first, interior.first - 1}, Span{interior.last + 1, row.last}, interior);
        }
    }

    double CentreX() const { return cx; }
    double CentreY() const { return cy; }

private:
    Span Row(int64_t y) const {
        const double v = (static_cast<double>(y) + 0.5 - cy) / ry;
        if (v * v > 1) return {};
        const double half = rx * std::sqrt(1 - v * v);
        // Columns beyond the area's neighbours all act alike; clamping keeps them in range.
        const double lowest = area.left() - 2.0, highest = area.right() + 2.0;
        return {static_cast<int64_t>(std::clamp(std::ceil(cx - half - 0.5), lowest, highest)),
                static_cast<int64_t>(std::clamp(std::floor(cx + half - 0.5), lowest, highest))};
    }

    int64_t firstRow;
    int64_t lastRow;
    QRect area;
    double cx, cy, rx, ry;
};

void FillSpan(QPainter& painter, int y, Span span, const QRect& area, const QColor& colour) {
    const int64_t first = std::max<int64_t>(span.first, area.left()), last = std::min<int64_t>(span.last, area.right());
    if (first <= last) painter.fillRect(QRect(static_cast<int>(first), y, static_cast<int>(last - first + 1), 1), colour);
}

void DrawPixels(QPainter& painter, const QPolygon& pixels, const QColor& colour) {
    painter.setPen(QPen(colour, 0));
    painter.drawPoints(pixels);
}

// Counter-clockwise on the screen (y pointing down), in [0, 2 pi).
double ScreenAngle(double dx, double dy) {
    const double angle = std::atan2(-dy, dx);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

}  // namespace

QtCanvas::QtCanvas(QImage& target, std::function<void()> afterDrawing) : image(target), drawn(std::move(afterDrawing)) {}

void QtCanvas::Paint(const std::function<void(QPainter&)>& draw) {
    if (image.isNull()) return;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        draw(painter);
    }
    if (drawn) drawn();
}

void QtCanvas::LineTo(int x, int y) {
    const QPolygon pixels = LinePixels(penPosition, {x, y}, image.rect());
    penPosition = {x, y};
    if (!pixels.isEmpty()) Paint([&](QPainter& painter) { DrawPixels(painter, pixels, ToQColor(pen)); });
}

void QtCanvas::FillRect(int left, int top, int right, int bottom) {
    // A hollow brush paints nothing, as with the GDI's null brush.
    if (right <= left || bottom <= top || brushStyle == BrushStyle::Hollow) return;
    const QRect area = image.rect();
    const QRect box(QPoint(std::clamp(left, area.left(), area.right() + 1), std::clamp(top, area.top(), area.bottom() + 1)),
                    QPoint(std::clamp(right, area.left(), area.right() + 1) - 1,
                           std::clamp(bottom, area.top(), area.bottom() + 1) - 1));
    if (!box.isEmpty()) Paint([&](QPainter& painter) { painter.fillRect(box, ToQColor(brush)); });
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
    const QRect area = image.rect();
    Paint([&](QPainter& painter) {
        const QColor outline = ToQColor(pen), fill = ToQColor(brush);
        EllipsePixels(left, top, right, bottom, area).ForEachRow([&](int y, Span before, Span after, Span interior) {
            FillSpan(painter, y, before, area, outline);
            FillSpan(painter, y, after, area, outline);
            if (brushStyle == BrushStyle::Solid) FillSpan(painter, y, interior, area, fill);
        });
    });
}

void QtCanvas::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
    const QRect area = image.rect();
    const EllipsePixels ellipse(left, top, right, bottom, area);
    const double cx = ellipse.CentreX(), cy = ellipse.CentreY();
    const double from = ScreenAngle(startX - cx, startY - cy);
    double span = ScreenAngle(endX - cx, endY - cy) - from;
    if (span <= 0) span += 2 * std::numbers::pi;  // the same ray twice: the whole ellipse
    QPolygon pixels;
    auto collect = [&](int y, Span part) {
        for (int64_t x = std::max<int64_t>(part.first, area.left()); x <= std::min<int64_t>(part.last, area.right()); ++x) {
            double offset = ScreenAngle(static_cast<double>(x) + 0.5 - cx, y + 0.5 - cy) - from;
            if (offset < 0) offset += 2 * std::numbers::pi;
            if (offset <= span) pixels << QPoint(static_cast<int>(x), y);
        }
    };
    ellipse.ForEachRow([&](int y, Span before, Span after, Span) {
        collect(y, before);
        collect(y, after);
    });
    if (!pixels.isEmpty()) Paint([&](QPainter& painter) { DrawPixels(painter, pixels, ToQColor(pen)); });
}

void QtCanvas::DrawBitmap(const Bitmap& bitmap) {
    const auto* source = dynamic_cast<const QtBitmap*>(&bitmap);
    if (source == nullptr || source->Image().isNull()) return;
    Paint([&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source->Image());
    });
}

}  // namespace platform
