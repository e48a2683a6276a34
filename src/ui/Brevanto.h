#pragma once
#include <memory>
#include <string>

#include "display/Displays.h"
#include "model/SceneList.h"
#include "platform/Platform.h"
#include "platform/Window.h"

enum class MouseButton { Left, Right, Middle };

// The main window's logic: it owns the scene list and the scene picture, and
// answers the menu commands and mouse events. The platform's window forwards
// its events here.
class TForm1 {
public:
    // Takes the largest drawing area the window grants, creates the settings,
    // the scene list and the picture, and draws the empty scene.
    TForm1(platform::Platform& platform, platform::Window& window);

    TSceneList& SceneList() { return list; }
    TDisplays& Displays() { return displays; }
    platform::Bitmap& Picture() { return *picture; }
    platform::Window& MainWindow() { return window; }

    void SetDrawingMode(const std::string& keyword);

    void Neu1Click();
    void Load1Click();
    void Save1Click();
    void Speichern1Click();
    void Beenden1Click();
    void Sonne1Click();
    void Hintergrundstrahlung1Click();
    void Objektmanager1Click();
    void Vektorpfeile1Click();
    void Stromlinien1Click();
    void Kreise1Click();
    void Darstellungsformen1Click();
    void SzeneObjekte2Click();
    void Vektorpfeile2Click();
    void Energieflussfeldlinien1Click();
    void Energiekreise1Click();
    void Auflsung1Click();
    void Iterationen1Click();
    void Bildschirm1Click();
    void Info1Click();

    // `leftHeld`: the left button is held during the event.
    void FormMouseDown(MouseButton button, bool leftHeld, int x, int y);
    void FormMouseMove(bool leftHeld, int x, int y);
    void FormMouseUp(MouseButton button, int x, int y);

    // Single stream-line mode: computes the scene if needed and traces one
    // stream line from (x, y) over whatever the picture already shows.
    void TraceSingleStreamLine(int x, int y);

    void RedrawAll();

private:
    // "New": an empty scene, the settings and displays at their defaults, the
    // picture at the window's size.
    void StartAfresh();

    platform::Platform& platform;
    platform::Window& window;
    std::unique_ptr<platform::Bitmap> picture;
    TSceneList list;
    TDisplays displays;
};
