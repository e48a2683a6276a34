// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SvgPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/PixelFont.h"
#include "platform/SafeFileWrite.h"
#include "platform/SystemColours.h"
#include "platform/TextFont.h"

namespace brevanto::platform {

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Colour(TColor colour) {
    const TColor rgb = ResolveColour(colour);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
    return text;
}

std::string PathElement(const std::string& d, TColor colour) {
    return "<path d=\"" + d + "\" stroke=\"" + Colour(colour) + "\"/>";
}

// The text as XML character data.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += (c >= ' ' && c <= '~') ? c : '?';
        }
    }
    return escaped;
}

// A line through pixel (x, y) runs through the pixel's middle.
std::string PixelMiddle(double x, double y) { return Number(x + 0.5) + " " + Number(y + 0.5); }

// Counter-clockwise on the screen (y pointing down), in [0, 2 pi).
double ScreenAngle(double dx, double dy) {
    const double angle = std::atan2(-dy, dx);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

}  // namespace

SvgPicture::SvgPicture(int newWidth, int newHeight) : width(newWidth), height(newHeight) {}

void SvgPicture::SetSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    elements.clear();
    path.clear();
}

void SvgPicture::MoveToExact(double x, double y) {
    penX = x;
    penY = y;
}

// Lines that go on from where the last one ended continue its polyline.
void SvgPicture::LineToExact(double x, double y) {
    if (!path.empty() && pathColour != pen) EndPath();
    if (path.empty() || penX != pathEndX || penY != pathEndY)
        path += (path.empty() ? "M" : " M") + PixelMiddle(penX, penY) + " L";
    else
        path += ' ';
    path += PixelMiddle(x, y);
    pathColour = pen;
    penX = pathEndX = x;
    penY = pathEndY = y;
}

void SvgPicture::EndPath() {
    if (path.empty()) return;
    elements.push_back(PathElement(path, pathColour));
    path.clear();
}

void SvgPicture::FillRect(int left, int top, int right, int bottom) {
    EndPath();
    if (brushStyle == BrushStyle::Hollow || right <= left || bottom <= top) return;
    elements.push_back("<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" +
                       Number(static_cast<double>(right) - left) + "\" height=\"" +
                       Number(static_cast<double>(bottom) - top) + "\" fill=\"" + Colour(brush) + "\"/>");
}

// The box's edges bound the outline's outer side, as on a raster. A disc of
// one colour is its fill alone: the stroke of a radius near 0 would blur the
// smallest discs away.
void SvgPicture::EllipseExact(double left, double top, double right, double bottom) {
    EndPath();
    if (!(right > left && bottom > top)) return;
    const double rx = (right - left) / 2, ry = (bottom - top) / 2;
    const std::string centre = "<ellipse cx=\"" + Number(left + rx) + "\" cy=\"" + Number(top + ry) + "\" ";
    const bool filled = brushStyle == BrushStyle::Solid;
    if (filled && ResolveColour(pen) == ResolveColour(brush))
        elements.push_back(centre + "rx=\"" + Number(rx) + "\" ry=\"" + Number(ry) + "\" fill=\"" + Colour(brush) +
                           "\"/>");
    else
        elements.push_back(centre + "rx=\"" + Number(std::max(rx - 0.5, 0.0)) + "\" ry=\"" +
                           Number(std::max(ry - 0.5, 0.0)) + "\" stroke=\"" + Colour(pen) + "\" fill=\"" +
                           (filled ? Colour(brush) : "none") + "\"/>");
}

void SvgPicture::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
    EndPath();
    if (right <= left || bottom <= top) return;
    const double rx = (static_cast<double>(right) - left) / 2 - 0.5, ry = (static_cast<double>(bottom) - top) / 2 - 0.5;
    const double cx = (static_cast<double>(left) + right) / 2, cy = (static_cast<double>(top) + bottom) / 2;
    const double from = ScreenAngle(startX - cx, startY - cy);
    double sweep = ScreenAngle(endX - cx, endY - cy) - from;
    if (sweep <= 0) sweep += 2 * std::numbers::pi;  // the same ray twice: the whole ellipse
    // The points of the ellipse on the two rays; a whole ellipse goes round
    // in two halves, since one arc cannot end where it starts.
    auto point = [&](double angle) {
        return Number(cx + rx * std::cos(angle)) + " " + Number(cy - ry * std::sin(angle));
    };
    std::string d = "M" + point(from);
    const int halves = sweep > std::numbers::pi ? 2 : 1;
    for (int half = 1; half <= halves; ++half)
        d += " A" + Number(rx) + " " + Number(ry) + " 0 0 0 " + point(from + sweep * half / halves);
    elements.push_back(PathElement(d, pen));
}

void SvgPicture::TextOut(int x, int y, const std::string& text) {
    EndPath();
    // The baseline lies on the font's bottom row.
    elements.push_back("<text x=\"" + Number(x) + "\" y=\"" + Number(y + kTextHeight) + "\" fill=\"" + Colour(pen) +
                       "\">" + Escaped(text) + "</text>");
}

void SvgPicture::DrawText(int x, int y, const std::string& text, int pixelSize) {
    EndPath();
    elements.push_back("<text x=\"" + Number(x) + "\" y=\"" + Number(y + MeasureText(text, pixelSize).baseline) +
                       "\" font-family=\"" + kTextFontFamily + "\" font-size=\"" + Number(pixelSize) + "\" fill=\"" +
                       Colour(pen) + "\">" + Escaped(text) + "</text>");
}

std::string SvgPicture::Text() const {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Number(width) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) +
        "\" fill=\"none\" stroke-width=\"1\" stroke-linejoin=\"round\" font-family=\"monospace\" font-size=\"19\">\n";
    for (const std::string& element : elements) text += element + "\n";
    if (!path.empty()) text += PathElement(path, pathColour) + "\n";
    return text + "</svg>\n";
}

void SvgPicture::SaveToFile(const std::string& fileName, PictureFormat) const { Write(fileName); }

void SvgPicture::Write(const std::string& fileName) const { ReplaceFileContents(fileName, Text()); }

}  // namespace brevanto::platform
