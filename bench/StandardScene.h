#pragma once
#include "platform/HeadlessPlatform.h"
#include "radiation/Berechnen.h"
#include "ui/MainWindow.h"

// The standard scene as its file holds it, opened by the main window on the
// headless platform, not yet computed.
struct StandardScene {
    StandardScene() {
        headless.fileNameAnswers.push_back(BREVANTO_SOURCE_DIR "/bench/standard-scene.brv");
        form.OpenScene();
        form.Scene().CleanAndNumber();
    }

    void Calculate() { ::Calculate(form.Scene(), form.Settings(), window, headless.Progress()); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{1920, 1080};
    MainWindow form{headless, window};
    const SceneList& list = form.Scene();
    Tprgvar& settings = form.Settings();
    Displays& displays = form.DisplaySettings();
};
