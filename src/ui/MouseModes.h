#pragma once
#include <cstddef>
#include <optional>
#include <string>

class MainWindow;
class Tszeneobjekt;

// The object's handle within reach of (x, y), if there is one.
std::optional<size_t> HandleWithinReach(const Tszeneobjekt& object, int x, int y);

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
};

// The mode at start and after every display command; it draws nothing. A
// press near an object selects it (the topmost wins); dragging one of its
// handles moves that point, dragging the object moves it whole; a double
// click opens its dialog.
class SelectMode : public MouseMode {
public:
    std::string Keyword() const override { return {}; }
    std::string Description() const override { return "Select"; }
    void Press(MainWindow& window, int x, int y) override;
    void Drag(MainWindow& window, int x, int y) override;
    void Release(MainWindow& window, int x, int y) override;
    void DoubleClick(MainWindow& window, int x, int y) override;

private:
    enum class Dragging { Nothing, Handle, Object };
    Dragging dragging = Dragging::Nothing;
    size_t handle = 0;
    int lastX = 0;
    int lastY = 0;
    bool moved = false;
};

// A press appends an object of the kind at the pressed point, dragging moves
// its second point and the release opens its dialog; cancelling that dialog
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
