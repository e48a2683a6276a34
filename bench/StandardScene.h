#pragma once
#include "platform/HeadlessPlatform.h"
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"

#include <string>

// The standard scene as its file holds it (or another scene file, on a
// screen of the size given), opened by the main window on the headless
// platform, not yet computed.
struct StandardScene {
    explicit StandardScene(const std::string& file = BREVANTO_SOURCE_DIR "/bench/standard-scene.brv",
                           int screenWidth = 1920, int screenHeight = 1080)
        : window(screenWidth, screenHeight) {
        headless.fileNameAnswers.push_back(file);
        form.OpenScene();
        form.Scene().CleanAndNumber();
    }

    void Calculate() { ::Calculate(form.Scene(), form.Settings(), window, headless.Progress()); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window;
    MainWindow form{headless, window};
    const SceneList& list = form.Scene();
    Tprgvar& settings = form.Settings();
    Displays& displays = form.DisplaySettings();
};
