// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/MeasuringLine.h"
#include "model/Szeneobjekt.h"

namespace brevanto::ui {

class MainWindow;

// The object's handle within reach of (x, y), if there is one.
std::optional<size_t> HandleWithinReach(const model::Tszeneobjekt& object, int x, int y);

// What the mouse does in the drawing area. The main window passes every
// press, drag (a move with the left button held), release and double click
// of the left button on to its current mode.
class MouseMode {
public:
    virtual ~MouseMode() = default;
    // The drawing mode's keyword, zeichenmodus: the kind of object it draws,
    // "einestromlinie", or empty for the mode that draws nothing.
    virtual std::string Keyword() const = 0;
    // What the status line calls it.
    virtual std::string Description() const = 0;
    virtual void Press(MainWindow& window, int x, int y);
    virtual void Drag(MainWindow& window, int x, int y);
    virtual void Release(MainWindow& window, int x, int y);
    // The second press of a double click; as another press unless the mode
    // says otherwise.
    virtual void DoubleClick(MainWindow& window, int x, int y);
    // Whether the drag that the last press began moves objects of the scene
    // (which a shown display may follow).
    virtual bool MovesObjects() const { return false; }
};

// The mode at start and after every display command; it draws nothing. A
// press near an object selects it (the topmost wins), with Shift it joins
// the selection or leaves it; a press beside every object drags open a
// rectangle that selects what lies wholly inside. Dragging a selected
// object's handle moves that point, dragging a selected object moves every
// selected one; a double click opens the object's dialog.
class SelectMode : public MouseMode {
public:
    std::string Keyword() const override { return {}; }
    std::string Description() const override { return "Select"; }
    void Press(MainWindow& window, int x, int y) override;
    void Drag(MainWindow& window, int x, int y) override;
    void Release(MainWindow& window, int x, int y) override;
    void DoubleClick(MainWindow& window, int x, int y) override;
    bool MovesObjects() const override { return dragging == Dragging::Handle || dragging == Dragging::Objects; }

private:
    enum class Dragging { Nothing, Handle, Objects, Rectangle };
    void TakeHandle(model::Tszeneobjekt& object, size_t index);
    void DragHandle(MainWindow& window, int x, int y);
    void DragObjects(MainWindow& window, int x, int y);

    Dragging dragging = Dragging::Nothing;
    model::Tszeneobjekt* handleOwner = nullptr;
    size_t handle = 0;
    int pressX = 0;
    int pressY = 0;
    int lastX = 0;
    int lastY = 0;
    // The moved objects' handles at the press, and how far they have moved
    // since: a snapped move is worked out from where the drag started.
    std::vector<model::Handle> startHandles;
    model::Handle movedBy{0, 0};
    bool changed = false;
};

// A press appends an object of the kind at the pressed point, dragging moves
// its second point (both snap onto other objects; with Shift a straight
// object turns in steps of 15 degrees) and the release opens its dialog; cancelling that dialog
// takes the new object back. The object that moves and gets the dialog is
// always the last one of the scene.
class DrawObjectMode : public MouseMode {
public:
    explicit DrawObjectMode(std::string keyword);
    std::string Keyword() const override { return kind; }
    std::string Description() const override { return "Draw: " + description; }
    void Press(MainWindow& window, int x, int y) override;
    void Drag(MainWindow& window, int x, int y) override;
    void Release(MainWindow& window, int x, int y) override;

private:
    std::string kind;
    std::string description;
};

// Each press traces one stream line from the pressed point.
class SingleStreamLineMode : public MouseMode {
public:
    std::string Keyword() const override { return "einestromlinie"; }
    std::string Description() const override { return "Single stream-line"; }
    void Press(MainWindow& window, int x, int y) override;
};

// Each press measures the light arriving at the pressed point, computing the
// scene first if needed, and shows it in the light meter's panel. A drag
// with Shift draws a measuring line; dragging a measuring line's end moves
// that end, dragging the line elsewhere moves it whole. A line drawn or moved
// is measured along at the release.
class MeasureMode : public MouseMode {
public:
    std::string Keyword() const override { return "lichtmesser"; }
    std::string Description() const override { return "Measure"; }
    void Press(MainWindow& window, int x, int y) override;
    void Drag(MainWindow& window, int x, int y) override;
    void Release(MainWindow& window, int x, int y) override;

private:
    enum class Dragging { Nothing, FirstEnd, SecondEnd, Line };
    Dragging dragging = Dragging::Nothing;
    size_t line = 0;
    model::MeasuringLine before;  // the line as it was at the press
    int pressX = 0;
    int pressY = 0;
};

}  // namespace brevanto::ui
