#pragma once
#include <string>

class MainWindow;

// What the mouse does in the drawing area. The main window passes every
// press, drag (a move with the left button held) and release of the left
// button on to its current mode.
class MouseMode {
public:
    virtual ~MouseMode() = default;
    // The drawing mode's keyword, zeichenmodus: the kind of object it draws,
    // "einestromlinie", or empty for a mode that draws nothing.
    virtual std::string Keyword() const = 0;
    virtual void Press(MainWindow& window, int x, int y);
    virtual void Drag(MainWindow& window, int x, int y);
    virtual void Release(MainWindow& window, int x, int y);
};

// The mode at start and after every display command: presses add nothing.
class NoDrawingMode : public MouseMode {
public:
    std::string Keyword() const override { return {}; }
};

// A press appends an object of the kind at the pressed point, dragging moves
// its second point and the release opens its dialog. The object that moves
// and gets the dialog is always the last one of the scene.
class DrawObjectMode : public MouseMode {
public:
    explicit DrawObjectMode(std::string keyword) : kind(std::move(keyword)) {}
    std::string Keyword() const override { return kind; }
    void Press(MainWindow& window, int x, int y) override;
    void Drag(MainWindow& window, int x, int y) override;
    void Release(MainWindow& window, int x, int y) override;

private:
    std::string kind;
};

// Each press traces one stream line from the pressed point.
class SingleStreamLineMode : public MouseMode {
public:
    std::string Keyword() const override { return "einestromlinie"; }
    void Press(MainWindow& window, int x, int y) override;
};
