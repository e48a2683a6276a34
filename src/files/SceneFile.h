#pragma once
#include <string>

#include "display/Displays.h"
#include "model/SceneList.h"
#include "platform/Bitmap.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"
#include "platform/Window.h"

// The scene file (*.brv): one text file with the picture's size and colour,
// the three displays' parameters, the computation settings and every scene
// object in list order. Nothing computed is stored.

// What loading a scene replaces, and where its messages go. The settings are
// the current prgvar() and are replaced too.
struct SceneTarget {
    platform::Platform& platform;
    platform::Window& window;
    platform::Bitmap& picture;
    TSceneList& list;
    TDisplays& displays;
};

// The lines of the scene file for the current settings, the displays and the
// scene; zero-size objects still in the list are written as they are.
platform::TextFile SceneFileText(const TSceneList& list, const TDisplays& displays);

// Writes the scene file, replacing the file; a write that fails half-way
// leaves the previous file as it was. Throws InOutError.
void SaveScene(const std::string& fileName, const TSceneList& list, const TDisplays& displays);

// Replaces the window's size and colour, the picture's size, the settings, the
// displays and the scene by the file's, as far as the file can be read, and
// redraws. When a line does not match, the user is told (naming the file as
// `fileName`) and the result is false; true when the whole scene was read.
// A number that does not convert ends the load with ConversionError, the
// state being replaced as far as it got; a file that cannot be read throws
// InOutError before anything changes.
bool LoadScene(const std::string& fileName, const SceneTarget& target);
bool LoadScene(platform::TextFile& file, const std::string& fileName, const SceneTarget& target);
