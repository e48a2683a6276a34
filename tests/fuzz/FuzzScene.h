// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/HeadlessPlatform.h"
#include "ui/MainWindow.h"

using namespace brevanto;
using namespace brevanto::ui;

// What both fuzz targets do first: the bytes, written to a file, opened with
// "File" > "Open" in a headless main window on a small screen, as a user
// would open them.
class FuzzedScene {
    // One file per process, in memory only (memfd_create) and opened by its
    // /proc/self/fd name: nothing is left in the file system however the
    // run ends, killed with SIGKILL included.
    struct ScratchFile {
        const int fd = memfd_create("brevanto-fuzz.brv", 0);
        const std::string path = "/proc/self/fd/" + std::to_string(fd);
        ScratchFile() {
            if (fd < 0) {
                std::perror("memfd_create");
                std::abort();
            }
        }
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
