#include "ui/MouseModes.h"

#include "objects/KindRegistry.h"
#include "ui/MainWindow.h"

void MouseMode::Press(MainWindow&, int, int) {}
void MouseMode::Drag(MainWindow&, int, int) {}
void MouseMode::Release(MainWindow&, int, int) {}

void DrawObjectMode::Press(MainWindow& window, int x, int y) {
    window.Scene().Append(CreateObjectOfKind(kind, x, y, x, y));
    window.RedrawAll();
}

void DrawObjectMode::Drag(MainWindow& window, int x, int y) {
    window.Scene().Tail().SetEndPoint(x, y);
    window.RedrawAll();
}

void DrawObjectMode::Release(MainWindow& window, int, int) {
    window.EditObject(window.Scene().Tail());
    window.RedrawAll();
}

void SingleStreamLineMode::Press(MainWindow& window, int x, int y) { window.TraceSingleStreamLine(x, y); }
