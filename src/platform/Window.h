// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Measurement.h"
#include "platform/Plot.h"

namespace brevanto::platform {

class Canvas;

enum class MouseButton { Left, Right, Middle };

// The modifier keys held during a mouse event.
struct HeldKeys {
    bool shift = false;
    bool alt = false;
};

// What happens in the main window's drawing area, as the window system
// reports it. The main window's logic answers these; positions are drawing-
// area pixels.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // `leftHeld`: the left button is held during the event.
    virtual void MousePressed(MouseButton button, bool leftHeld, int x, int y, HeldKeys held = {}) = 0;
    virtual void MouseMoved(bool leftHeld, int x, int y, HeldKeys held = {}) = 0;
    virtual void MouseReleased(MouseButton button, int x, int y) = 0;
    // The second press of a double click, which also counts as a press.
    virtual void MouseDoubleClicked(MouseButton button, int x, int y) = 0;
    // An arrow key: dx and dy are -1, 0 or 1 (y grows downwards).
    virtual void ArrowKeyPressed(int dx, int dy, bool shift) = 0;
    // The user asks to close the window (its close box); false keeps it open.
    virtual bool CloseRequested() = 0;
    // The drawing area took another size (a window manager fitted the
    // window to the screen, say): AreaWidth and AreaHeight tell the new one.
    virtual void DrawingAreaResized() = 0;
};

// The keyboard shortcuts whose keys the desktop defines (Ctrl+S, say).
enum class StandardKey {
    None,
    New,
    Open,
    Save,
    SaveAs,
    Quit,
    Undo,
    Redo,
    Delete,
    Help,
    Cut,
    Copy,
    Paste,
    ZoomIn,
    ZoomOut
};

// The largest side of a picture. The window shows any picture up to this
// size, scaled down when it is larger than the drawing area.
inline constexpr int kLargestPictureSide = 4096;

// How large the window shows the picture: a step larger or smaller, or as
// large as the drawing area shows it whole (at most at its own size).
enum class ViewZoom { In, Out, Fit };

// One item of the main menu: a caption with either sub-items or an action.
// `name` identifies the item (the window system's object name).
struct MenuItem {
    std::string caption;
    std::string name;
    std::function<void()> action;
    std::vector<MenuItem> children;
    StandardKey key = StandardKey::None;  // its shortcut, as the desktop defines it,
    std::string shortcut{};               // or one of its own, such as "Esc"
    // A mode's item: whether that mode is the current one (shown checked).
    std::function<bool()> checked{};
    // Whether the item can act now; an item that cannot is shown disabled
    // and its keys do nothing. Empty for always.
    std::function<bool()> enabled{};
    bool Enabled() const { return !enabled || enabled(); }
};

// The main window as the program sees it: caption, menu, drawing area and
// colour.
class Window {
public:
    virtual ~Window() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    // The picture's size.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // The system may grant less than asked (at most kLargestPictureSide);
    // read the size back.
    virtual void SetClientWidth(int width) = 0;
    virtual void SetClientHeight(int height) = 0;
    // The drawing area's size: the largest picture it shows whole at its
    // own size.
    virtual int AreaWidth() const = 0;
    virtual int AreaHeight() const = 0;
    // Shows the picture larger or smaller; the picture and its coordinates
    // stay as they are.
    virtual void ZoomView(ViewZoom zoom) = 0;
    virtual TColor Color() const = 0;
    virtual void SetColor(TColor colour) = 0;
    virtual Canvas& GetCanvas() = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
    // The menu bar; its actions run when the user chooses an item.
    virtual void SetMenu(std::vector<MenuItem> menu) = 0;
    // Asks the items again whether they can act, after the scene, the
    // selection or the edit history changed.
    virtual void UpdateMenuStates() = 0;
    // Where the drawing area's mouse events go; nullptr for nowhere.
    virtual void SetEvents(WindowEvents* events) = 0;
    // The line below the drawing area: the mode, the scene's file.
    virtual void SetStatusText(const std::string& text) = 0;
    // What the light meter measured, in a panel beside the picture that
    // stays open while the user goes on.
    virtual void ShowMeasurement(const Measurement& measurement) = 0;
    // The scene changed since the last measurement: the panel, if open,
    // shows no numbers until the next.
    virtual void ClearMeasurement() = 0;
    // The readings taken so far, in the same panel; an empty table for none.
    virtual void ShowReadings(const ReadingTable& readings) = 0;
    // Graphs in the same panel, a page each, replacing those shown before;
    // none closes the pages.
    virtual void ShowPlots(const std::vector<Plot>& plots) = 0;
};

}  // namespace brevanto::platform
