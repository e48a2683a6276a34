// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/HeadlessPlatform.h"
#include "radiation/Calculation.h"
#include "ui/MainWindow.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::display;
using namespace brevanto::ui;

inline constexpr const char* kStandardSceneFile = BREVANTO_SOURCE_DIR "/bench/standard-scene.brv";

// The standard scene as its file holds it (or another scene file, on a
// screen of the size given), opened by the main window on the headless
// platform, not yet computed.
struct StandardScene {
    explicit StandardScene(const std::string& file = kStandardSceneFile, int screenWidth = 1920,
                           int screenHeight = 1080)
        : window(screenWidth, screenHeight) {
        headless.fileNameAnswers.push_back(file);
        form.OpenScene();
        form.Scene().CleanAndNumber();
    }

    void Calculate() { radiation::Calculate(form.Scene(), form.Settings(), window, headless.Progress()); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window;
    MainWindow form{headless, window};
    SceneList& list = form.Scene();
    Tprgvar& settings = form.Settings();
    Displays& displays = form.DisplaySettings();
};

// Every example scene, in the order of their names, and the standard scene.
inline std::vector<std::string> ExampleAndStandardScenes() {
    std::vector<std::string> scenes;
    for (const auto& entry : std::filesystem::directory_iterator(BREVANTO_SOURCE_DIR "/examples"))
        if (entry.path().extension() == ".brv") scenes.push_back(entry.path().string());
    std::sort(scenes.begin(), scenes.end());
    scenes.push_back(kStandardSceneFile);
    return scenes;
}
