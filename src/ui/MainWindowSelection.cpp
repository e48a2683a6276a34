// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's selection, and where the points that the mouse drags go:
// what it shows on the window over the picture and never puts into it.
#include <algorithm>
#include <utility>

#include "model/Numbers.h"
#include "model/SceneList.h"
#include "platform/Canvas.h"
#include "ui/MainWindow.h"
#include "ui/PointSnapping.h"

namespace brevanto::ui {

using namespace model;

namespace {

// How close to an object a press selects it, in pixels.
constexpr int kPickDistance = 4;
// Handles are squares of this half width, in a colour that no dialog offers;
// the snap target a circle around the point, the selection rectangle a
// frame, in another such colour.
constexpr int kHandleSize = 3;
constexpr platform::TColor kHandleColour = 0x0080FF;
constexpr int kSnapMarkerSize = 6;
constexpr platform::TColor kPlacingColour = 0xFF00FF;
// The points of the light meter's readings: a cross with an open middle
// and the reading's number.
constexpr platform::TColor kMeasuredColour = 0xFF0080;

}  // namespace

Tszeneobjekt* MainWindow::ObjectAt(int x, int y) {
    // The topmost is drawn last; the background radiation cannot be moved.
    // A circle is taken by its centre too. Objects drawn since the last
    // numbering still have the number 0, which no object may skip here.
    constexpr int32_t kSkipNone = -1;
    for (size_t i = list.size(); i-- > 1;)
        if (!list[i].Handles().empty() &&
            (list[i].IsNear(x, y, kPickDistance, kSkipNone, kSkipNone) || HandleWithinReach(list[i], x, y)))
            return &list[i];
    return nullptr;
}

std::vector<Tszeneobjekt*> MainWindow::SelectedObjects() {
    std::vector<Tszeneobjekt*> selected;
    for (const auto& object : list)
        if (IsSelected(object)) selected.push_back(object);
    return selected;
}

bool MainWindow::IsSelected(const Tszeneobjekt* object) const {
    return object != nullptr && std::find(selection.begin(), selection.end(), object) != selection.end();
}

void MainWindow::Select(Tszeneobjekt* object) {
    SetSelection(object != nullptr ? std::vector<Tszeneobjekt*>{object} : std::vector<Tszeneobjekt*>{});
}

void MainWindow::SetSelection(std::vector<Tszeneobjekt*> objects) {
    selection = std::move(objects);
    chosenLine.reset();
    RefreshWindow();
    window.UpdateMenuStates();
}

void MainWindow::ToggleSelected(Tszeneobjekt* object) {
    std::vector<Tszeneobjekt*> selected = SelectedObjects();
    const auto found = std::find(selected.begin(), selected.end(), object);
    if (found != selected.end())
        selected.erase(found);
    else
        selected.push_back(object);
    SetSelection(std::move(selected));
}

void MainWindow::SelectWithin(const std::array<int, 4>& rectangle) {
    // Named values, not a structured binding: lambdas may not capture one
    // under every compiler the builds use.
    const int left = rectangle[0], top = rectangle[1], right = rectangle[2], bottom = rectangle[3];
    const auto inside = [&](const Handle& handle) {
        return handle.x >= left && handle.x <= right && handle.y >= top && handle.y <= bottom;
    };
    std::vector<Tszeneobjekt*> selected = SelectedObjects();
    for (size_t i = 1; i < list.size(); ++i) {
        const std::vector<Handle> handles = list[i].Handles();
        if (!handles.empty() && std::all_of(handles.begin(), handles.end(), inside) && !IsSelected(&list[i]))
            selected.push_back(&list[i]);
    }
    SetSelection(std::move(selected));
}

void MainWindow::SelectAll() {
    mouseMode = std::make_unique<SelectMode>();
    SelectWithin({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    UpdateStatus();
}

void MainWindow::ToggleSnapping() { snapping = !snapping; }

Handle MainWindow::PlacePoint(const std::vector<const Tszeneobjekt*>& moving, int x, int y,
                              std::optional<Handle> anchor) {
    snapMarker.reset();
    if (held.shift && anchor) return ConstrainedAngle(*anchor, x, y);
    if (snapping && !held.alt) snapMarker = SnapTarget(list, moving, x, y);
    return snapMarker.value_or(Handle{x, y});
}

Handle MainWindow::PlaceOffset(const std::vector<const Tszeneobjekt*>& moving, const std::vector<Handle>& start, int dx,
                               int dy) {
    snapMarker.reset();
    if (!snapping || held.alt) return {dx, dy};
    // Of the handles that would snap, the one that moves least to do so.
    int64_t shortest = INT64_MAX;
    Handle offset{dx, dy};
    for (const Handle& handle : start) {
        const int32_t x = SaturatingAdd(handle.x, dx);
        const int32_t y = SaturatingAdd(handle.y, dy);
        const std::optional<Handle> target = SnapTarget(list, moving, x, y);
        if (!target) continue;
        const int64_t shiftX = int64_t{target->x} - x;
        const int64_t shiftY = int64_t{target->y} - y;
        const int64_t shift = shiftX * shiftX + shiftY * shiftY;
        if (shift >= shortest) continue;
        shortest = shift;
        offset = {static_cast<int32_t>(dx + shiftX), static_cast<int32_t>(dy + shiftY)};
        snapMarker = target;
    }
    return offset;
}

void MainWindow::EndPlacing() {
    snapMarker.reset();
    selectionRectangle.reset();
    RefreshWindow();
}

void MainWindow::ShowSelectionRectangle(std::optional<std::array<int, 4>> rectangle) {
    selectionRectangle = rectangle;
    RefreshWindow();
}

void MainWindow::RefreshWindow() {
    window.GetCanvas().DrawBitmap(liveFrameShown ? *liveFrame : *picture);
    ShowSelection();
}

void MainWindow::ShowSelection() {
    platform::Canvas& canvas = window.GetCanvas();
    for (const auto& object : list) object->DrawWindowMark(canvas, picture->Width(), picture->Height());
    canvas.SetBrushStyle(platform::BrushStyle::Solid);
    canvas.SetBrushColor(kHandleColour);
    canvas.SetPenColor(kHandleColour);
    for (const Tszeneobjekt* selected : SelectedObjects()) {
        selected->DrawSelectionMark(canvas);
        for (const Handle& handle : selected->Handles())
            canvas.FillRect(handle.x - kHandleSize, handle.y - kHandleSize, handle.x + kHandleSize + 1,
                            handle.y + kHandleSize + 1);
    }
    canvas.SetPenColor(kPlacingColour);
    canvas.SetBrushStyle(platform::BrushStyle::Hollow);
    if (snapMarker)
        canvas.Ellipse(snapMarker->x - kSnapMarkerSize, snapMarker->y - kSnapMarkerSize,
                       snapMarker->x + kSnapMarkerSize + 1, snapMarker->y + kSnapMarkerSize + 1);
    canvas.SetPenColor(kMeasuredColour);
    const std::vector<platform::Measurement>& measured = readings.Readings();
    for (size_t i = 0; i < measured.size(); ++i) {
        const int x = measured[i].x, y = measured[i].y;
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
            canvas.MoveTo(x + 3 * dx, y + 3 * dy);
            canvas.LineTo(x + 10 * dx, y + 10 * dy);
        }
        canvas.TextOut(x + 5, y + 5, std::to_string(i + 1));
    }
    DrawMeasuringLines(canvas);
    canvas.SetPenColor(kPlacingColour);
    if (selectionRectangle) {
        const auto [left, top, right, bottom] = *selectionRectangle;
        canvas.MoveTo(left, top);
        canvas.LineTo(right, top);
        canvas.LineTo(right, bottom);
        canvas.LineTo(left, bottom);
        canvas.LineTo(left, top);
    }
}

}  // namespace brevanto::ui
