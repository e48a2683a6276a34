#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/HeadlessPlatform.h"
#include "ui/MainWindow.h"

// What both fuzz targets do first: the bytes, written to a file, opened with
// "File" > "Open" in a headless main window on a small screen, as a user
// would open them.
class FuzzedScene {
    // One file per process, rewritten for every input and removed at the end.
    struct ScratchFile {
        const std::string path = [] {
            const char* folder = std::getenv("TMPDIR");
            return std::string(folder ? folder : "/tmp") + "/brevanto-fuzz-" + std::to_string(getpid()) + ".brv";
        }();
        ~ScratchFile() { std::remove(path.c_str()); }
    };

public:
    FuzzedScene(const uint8_t* data, size_t size, int screenSize) : window(screenSize, screenSize) {
        static const ScratchFile file;
        std::ofstream(file.path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        headless.fileNameAnswers.push_back(file.path);
        window.Choose("Load1");
    }

    // Whatever the file held, the program is in a state it can go on from:
    // the window, the picture and the settings agree on the size, and the
    // background radiation heads the scene. Aborts (a finding) otherwise.
    void CheckConsistent() {
        const bool consistent =
            form.Picture().Width() == window.ClientWidth() && form.Picture().Height() == window.ClientHeight() &&
            form.Settings().breite == window.ClientWidth() && form.Settings().hoehe == window.ClientHeight() &&
            form.Scene().size() >= 1 && form.Scene()[0].kind == "rahmen";
        if (!consistent) std::abort();
    }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window;
    MainWindow form{headless, window};
};
