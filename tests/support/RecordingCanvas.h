// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

using namespace brevanto;

// A canvas that writes down every call, one readable line each, so that a
// test can compare what an object draws with what it should draw.
class RecordingCanvas : public platform::Canvas {
public:
    std::vector<std::string> calls;

    void SetPenColor(platform::TColor colour) override { Record("pen " + std::to_string(colour)); }
    void SetBrushColor(platform::TColor colour) override { Record("brush " + std::to_string(colour)); }
    void SetBrushStyle(platform::BrushStyle style) override {
        Record(style == platform::BrushStyle::Hollow ? "brush hollow" : "brush solid");
    }
    void MoveTo(int x, int y) override { Record("move", {x, y}); }
    void LineTo(int x, int y) override { Record("line", {x, y}); }
    void FillRect(int left, int top, int right, int bottom) override { Record("fill", {left, top, right, bottom}); }
    void Ellipse(int left, int top, int right, int bottom) override { Record("ellipse", {left, top, right, bottom}); }
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override {
        Record("arc", {left, top, right, bottom, startX, startY, endX, endY});
    }
    void DrawBitmapPart(const platform::Bitmap&, int left, int top, int right, int bottom) override {
        Record("bitmap", {left, top, right, bottom});
    }
    void TextOut(int x, int y, const std::string& text) override { Record("text " + text, {x, y}); }
    void DrawText(int x, int y, const std::string& text, int pixelSize) override {
        Record("text " + text, {x, y, pixelSize});
    }
    void BeginShape() override { ++shapes; }

    int shapes = 0;  // BeginShape calls, kept apart from the drawing calls

private:
    void Record(std::string call, std::initializer_list<int> values = {}) {
        for (int value : values) {
            call.push_back(' ');
            call.append(std::to_string(value));
        }
        calls.push_back(std::move(call));
    }
};

// A scene picture whose drawing calls are written down.
class RecordingPicture : public platform::Bitmap {
public:
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void SetSize(int, int) override {}
    platform::Canvas& GetCanvas() override { return canvas; }
    void SaveToFile(const std::string&, platform::PictureFormat) const override {}

    RecordingCanvas canvas;
};
