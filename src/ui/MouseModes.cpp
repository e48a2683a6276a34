// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MouseModes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "model/ObjektGerade.h"

#include "objects/KindRegistry.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace model;
using namespace objects;

namespace {

// How close the mouse must come to a handle or a line to take it, in pixels.
constexpr int64_t kReach = 4;

bool WithinReach(int64_t handleX, int64_t handleY, int x, int y) {
    return std::abs(handleX - x) <= kReach && std::abs(handleY - y) <= kReach;
}

// Whether (x, y) lies within reach of the measuring line, ends included.
bool OnLine(const MeasuringLine& line, int x, int y) {
    const double dx = double{1} * line.x2 - line.x1, dy = double{1} * line.y2 - line.y1;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((x - line.x1) * dx + (y - line.y1) * dy) / length2, 0.0, 1.0);
    return std::hypot(line.x1 + t * dx - x, line.y1 + t * dy - y) <= kReach;
}

}  // namespace

std::optional<size_t> HandleWithinReach(const Tszeneobjekt& object, int x, int y) {
    const std::vector<Handle> handles = object.Handles();
    for (size_t i = 0; i < handles.size(); ++i)
        if (WithinReach(handles[i].x, handles[i].y, x, y)) return i;
    return std::nullopt;
}

namespace {

// About what a straight object's end point turns with Shift: its other end;
// nothing for other kinds.
std::optional<Handle> OtherEnd(const Tszeneobjekt& object, size_t end) {
    if (dynamic_cast<const TObjektGerade*>(&object) == nullptr) return std::nullopt;
    return object.Handles()[1 - end];
}

// The rectangle between two corners: left, top, right, bottom.
std::array<int, 4> Spanned(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// A line drawn with the mouse: samples every pixel or so of a typical line.
constexpr int32_t kWindowLineSamples = 100;

}  // namespace

void MouseMode::Press(MainWindow&, int, int) {}
void MouseMode::Drag(MainWindow&, int, int) {}
void MouseMode::Release(MainWindow&, int, int) {}
void MouseMode::DoubleClick(MainWindow& window, int x, int y) { Press(window, x, y); }

void SelectMode::Press(MainWindow& window, int x, int y) {
    dragging = Dragging::Nothing;
    changed = false;
    pressX = lastX = x;
    pressY = lastY = y;
    const bool shift = window.Held().shift;
    // The selected objects' handles come first, even where another object
    // lies on top of one.
    if (!shift)
        for (Tszeneobjekt* selected : window.SelectedObjects())
            if (const std::optional<size_t> taken = HandleWithinReach(*selected, x, y))
                return TakeHandle(*selected, *taken);
    Tszeneobjekt* object = window.ObjectAt(x, y);
    if (object == nullptr) {
        if (!shift) window.Select(nullptr);
        dragging = Dragging::Rectangle;
    } else if (shift) {
        window.ToggleSelected(object);
    } else {
        if (!window.IsSelected(object)) window.Select(object);
        if (const std::optional<size_t> taken = HandleWithinReach(*object, x, y)) return TakeHandle(*object, *taken);
        dragging = Dragging::Objects;
        startHandles.clear();
        for (const Tszeneobjekt* selected : window.SelectedObjects())
            for (const Handle& point : selected->Handles()) startHandles.push_back(point);
        movedBy = {0, 0};
    }
}

void SelectMode::TakeHandle(Tszeneobjekt& object, size_t index) {
    dragging = Dragging::Handle;
    handleOwner = &object;
    handle = index;
}

void SelectMode::Drag(MainWindow& window, int x, int y) {
    if (dragging == Dragging::Nothing || (x == lastX && y == lastY)) return;
    lastX = x;
    lastY = y;
    if (dragging == Dragging::Rectangle) {
        window.ShowSelectionRectangle(Spanned(pressX, pressY, x, y));
        return;
    }
    if (dragging == Dragging::Handle)
        DragHandle(window, x, y);
    else
        DragObjects(window, x, y);
    changed = true;
    window.RedrawAll();
}

// A straight object's end point turns about the other end with Shift.
void SelectMode::DragHandle(MainWindow& window, int x, int y) {
    if (!window.IsSelected(handleOwner)) return;
    const Handle point = window.PlacePoint({handleOwner}, x, y, OtherEnd(*handleOwner, handle));
    handleOwner->MoveHandle(handle, point.x, point.y);
}

void SelectMode::DragObjects(MainWindow& window, int x, int y) {
    const std::vector<Tszeneobjekt*> selected = window.SelectedObjects();
    const Handle offset = window.PlaceOffset({selected.begin(), selected.end()}, startHandles, x - pressX, y - pressY);
    for (Tszeneobjekt* object : selected) object->MoveBy(offset.x - movedBy.x, offset.y - movedBy.y);
    movedBy = offset;
}

void SelectMode::Release(MainWindow& window, int x, int y) {
    if (dragging == Dragging::Rectangle && (x != pressX || y != pressY))
        window.SelectWithin(Spanned(pressX, pressY, x, y));
    if (changed) window.Settings().berechnet = false;
    dragging = Dragging::Nothing;
    changed = false;
}

void SelectMode::DoubleClick(MainWindow& window, int x, int y) {
    if (Tszeneobjekt* found = window.ObjectAt(x, y)) {
        window.Select(found);
        window.EditObject(*found);
        window.RedrawAll();
    }
}

DrawObjectMode::DrawObjectMode(std::string keyword)
    : kind(std::move(keyword)), description(CreateObjectOfKind(kind, 0, 0, 0, 0)->description) {}

void DrawObjectMode::Press(MainWindow& window, int x, int y) {
    const Handle start = window.PlacePoint({}, x, y);
    window.Scene().Append(CreateObjectOfKind(kind, start.x, start.y, start.x, start.y));
    window.RedrawAll();
}

void DrawObjectMode::Drag(MainWindow& window, int x, int y) {
    Tszeneobjekt& drawn = window.Scene().Tail();
    const Handle end = window.PlacePoint({&drawn}, x, y, OtherEnd(drawn, 1));
    drawn.SetEndPoint(end.x, end.y);
    window.RedrawAll();
}

void DrawObjectMode::Release(MainWindow& window, int, int) {
    SceneList& scene = window.Scene();
    // Cancel in the dialog of what was just drawn takes it back.
    if (!window.EditObject(scene.Tail()) && scene.size() > 1) scene.Remove(scene.size() - 1);
    window.RedrawAll();
}

void SingleStreamLineMode::Press(MainWindow& window, int x, int y) { window.TraceSingleStreamLine(x, y); }

void MeasureMode::Press(MainWindow& window, int x, int y) {
    pressX = x;
    pressY = y;
    const std::vector<MeasuringLine>& lines = window.MeasuringLines();
    if (window.Held().shift) {
        line = window.AddMeasuringLine({x, y, x, y, kWindowLineSamples});
        before = lines[line];
        dragging = Dragging::SecondEnd;
        return;
    }
    // The topmost, the last drawn, first.
    for (size_t k = lines.size(); k-- > 0;) {
        const MeasuringLine& found = lines[k];
        if (WithinReach(found.x1, found.y1, x, y))
            dragging = Dragging::FirstEnd;
        else if (WithinReach(found.x2, found.y2, x, y))
            dragging = Dragging::SecondEnd;
        else if (OnLine(found, x, y))
            dragging = Dragging::Line;
        else
            continue;
        line = k;
        before = found;
        window.ChooseMeasuringLine(k);
        return;
    }
    window.ChooseMeasuringLine(std::nullopt);
    window.MeasureLightAt(x, y);
}

void MeasureMode::Drag(MainWindow& window, int x, int y) {
    MeasuringLine moved = before;
    const int dx = x - pressX, dy = y - pressY;
    if (dragging == Dragging::FirstEnd || dragging == Dragging::Line) {
        moved.x1 += dx;
        moved.y1 += dy;
    }
    if (dragging == Dragging::SecondEnd || dragging == Dragging::Line) {
        moved.x2 += dx;
        moved.y2 += dy;
    }
    if (dragging != Dragging::Nothing) window.MoveMeasuringLine(line, moved);
}

void MeasureMode::Release(MainWindow& window, int, int) {
    if (dragging == Dragging::Nothing) return;
    dragging = Dragging::Nothing;
    const MeasuringLine& released = window.MeasuringLines()[line];
    // A click with Shift draws nothing; a click on a line measures there.
    if (released.x1 == released.x2 && released.y1 == released.y2)
        window.RemoveMeasuringLine(line);
    else if (released != before)
        window.MeasureAlongLines();
    else
        window.MeasureLightAt(pressX, pressY);
}

}  // namespace brevanto::ui
