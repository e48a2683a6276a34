#include "ui/MouseModes.h"

#include <cstdlib>

#include "objects/KindRegistry.h"
#include "ui/MainWindow.h"

std::optional<size_t> HandleWithinReach(const Tszeneobjekt& object, int x, int y) {
    // How close the mouse must come to a handle to take it, in pixels.
    constexpr int64_t kReach = 4;
    const std::vector<Handle> handles = object.Handles();
    for (size_t i = 0; i < handles.size(); ++i)
        if (std::abs(int64_t{handles[i].x} - x) <= kReach && std::abs(int64_t{handles[i].y} - y) <= kReach) return i;
    return std::nullopt;
}

void MouseMode::Press(MainWindow&, int, int) {}
void MouseMode::Drag(MainWindow&, int, int) {}
void MouseMode::Release(MainWindow&, int, int) {}
void MouseMode::DoubleClick(MainWindow& window, int x, int y) { Press(window, x, y); }

void SelectMode::Press(MainWindow& window, int x, int y) {
    dragging = Dragging::Nothing;
    moved = false;
    lastX = x;
    lastY = y;
    // The selected object's handles come first, even where another object
    // lies on top of one.
    Tszeneobjekt* object = window.SelectedObject();
    std::optional<size_t> taken = object ? HandleWithinReach(*object, x, y) : std::nullopt;
    if (!taken) {
        object = window.ObjectAt(x, y);
        window.Select(object);
        if (object == nullptr) return;
        taken = HandleWithinReach(*object, x, y);
    }
    dragging = taken ? Dragging::Handle : Dragging::Object;
    handle = taken.value_or(0);
}

void SelectMode::Drag(MainWindow& window, int x, int y) {
    Tszeneobjekt* selected = window.SelectedObject();
    if (selected == nullptr || dragging == Dragging::Nothing || (x == lastX && y == lastY)) return;
    if (dragging == Dragging::Handle)
        selected->MoveHandle(handle, x, y);
    else
        selected->MoveBy(x - lastX, y - lastY);
    lastX = x;
    lastY = y;
    moved = true;
    window.RedrawAll();
}

void SelectMode::Release(MainWindow& window, int, int) {
    if (moved) window.Settings().berechnet = false;
    dragging = Dragging::Nothing;
    moved = false;
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
    window.Scene().Append(CreateObjectOfKind(kind, x, y, x, y));
    window.RedrawAll();
}

void DrawObjectMode::Drag(MainWindow& window, int x, int y) {
    window.Scene().Tail().SetEndPoint(x, y);
    window.RedrawAll();
}

void DrawObjectMode::Release(MainWindow& window, int, int) {
    SceneList& scene = window.Scene();
    // Cancel in the dialog of what was just drawn takes it back.
    if (!window.EditObject(scene.Tail()) && scene.size() > 1) scene.Remove(scene.size() - 1);
    window.RedrawAll();
}

void SingleStreamLineMode::Press(MainWindow& window, int x, int y) { window.TraceSingleStreamLine(x, y); }
