#pragma once
#include <memory>
#include <optional>
#include <string>

#include "display/Displays.h"
#include "model/Programvar.h"
#include "model/SceneList.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "ui/MouseModes.h"

struct SceneFileContents;

// The main window's logic: it owns the scene list, the settings, the three
// displays and the scene picture, answers the menu commands and the drawing
// area's mouse events, and hands the platform on to whatever shows a dialog.
// The window system's window forwards its events here.
class MainWindow : public platform::WindowEvents {
public:
    // Takes the largest drawing area the window grants, creates the settings,
    // the scene list and the picture, gives the window its menu and draws the
    // empty scene.
    MainWindow(platform::Platform& platform, platform::Window& window);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    SceneList& Scene() { return list; }
    const SceneList& Scene() const { return list; }
    Tprgvar& Settings() { return settings; }
    const Tprgvar& Settings() const { return settings; }
    Displays& DisplaySettings() { return displays; }
    const Displays& DisplaySettings() const { return displays; }
    platform::Bitmap& Picture() { return *picture; }
    platform::Window& Window() { return window; }
    platform::Platform& Platform() { return platform; }

    // The mouse mode; its keyword is the drawing mode, zeichenmodus.
    void ChooseMouseMode(std::unique_ptr<MouseMode> mode);
    const MouseMode& CurrentMouseMode() const { return *mouseMode; }

    // "File"
    void NewScene();
    void OpenScene();
    void SaveScene();
    void SavePicture();
    void Quit();
    // "Scenery Objects"
    void AddSun();
    void EditBackground();
    // "Edit"
    void OpenObjectManager();
    // "Graphical representation "
    void DrawArrows();
    void DrawStreamLines();
    void DrawCircles();
    // "Delete"
    void ClearDisplays();
    void DeleteAllObjects();
    // "Parameters"
    void EditArrowSettings();
    void EditStreamLineSettings();
    void EditCircleSettings();
    void EditResolution();
    void EditIterations();
    void EditScreen();
    // "?"
    void ShowInfo();

    void MousePressed(platform::MouseButton button, bool leftHeld, int x, int y) override;
    void MouseMoved(bool leftHeld, int x, int y) override;
    void MouseReleased(platform::MouseButton button, int x, int y) override;
    // The picture and the settings follow the drawing area's real size, so
    // that a file saved on a screen opens again on it; the scene stays.
    void DrawingAreaResized() override;

    // What every display needs first: a numbered scene without zero-size
    // objects, its radiation computed (skipped while it is up to date) and
    // its queries prepared. Returns the passes the computation ran; nothing
    // when the user chose not to start, asked because the computation and
    // the `displayWork` that follows it (SceneList::QueryWork units) would
    // take longer than kAskAboveSeconds, or because the iteration would not
    // stop before a huge number of passes.
    std::optional<int32_t> PrepareScene(Extended displayWork = 0);
    // The seconds that the computation still to do and `displayWork` are
    // estimated to take on a typical machine.
    Extended EstimatedSeconds(Extended displayWork) const;
    static constexpr Extended kAskAboveSeconds = 60;
    // Computes the scene if needed and traces one stream line from (x, y)
    // over whatever the picture already shows.
    void TraceSingleStreamLine(int x, int y);
    // Opens the object's dialog; the radiation is to be computed again.
    bool EditObject(Tszeneobjekt& object);
    void RedrawAll();

private:
    // "New": an empty scene, the settings and displays at their defaults, the
    // picture at the window's size.
    void StartAfresh();
    // Settings with their defaults for the window's drawing area and colour.
    Tprgvar DefaultSettings() const;
    // Makes what a scene file held the program's state, as far as it was
    // read, and tells the user what went wrong.
    void ApplyScene(SceneFileContents& contents, const std::string& fileName);

    platform::Platform& platform;
    platform::Window& window;
    std::unique_ptr<platform::Bitmap> picture;
    Tprgvar settings;
    Displays displays;
    SceneList list;
    std::unique_ptr<MouseMode> mouseMode;
};
