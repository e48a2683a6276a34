#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "files/SceneFile.h"
#include "platform/Conversions.h"

inline std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Lines joined into the bytes of a file, each ending in CR LF.
inline std::string FileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The main window on a 1024 x 768 headless screen, and a folder of its own for
// the files a test writes (named by process, so that test runs at the same
// time do not share it). Scenes are opened and saved through the menu items,
// so the file dialogs, the error reporting and the redraw take part.
class SceneFileTest : public MainWindowTestOn<1024, 768> {
protected:
    SceneFileTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::path(::testing::TempDir()) / (std::string("brevanto-") + test->test_suite_name() +
                                                                "-" + test->name() + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~SceneFileTest() override {
        platform::SetDecimalSeparator('.');
        std::filesystem::remove_all(folder);
    }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    // "File" > "Open" on `path`, or on a file holding `bytes`; returns the messages shown.
    std::vector<std::string> OpenFile(const std::string& path) {
        headless.messages.clear();
        headless.fileNameAnswers.push_back(path);
        window.Choose("Load1");
        return headless.messages;
    }
    std::vector<std::string> Open(const std::string& bytes) {
        WriteBytes(PathOf("scene.brv"), bytes);
        return OpenFile(PathOf("scene.brv"));
    }

    // "File" > "Save" under the name typed into the dialog; returns the bytes
    // of the file written (the name with ".brv" appended when missing).
    std::string Save(const std::string& typedName = "saved") {
        headless.fileNameAnswers.push_back(PathOf(typedName));
        // Replacing another scene's file is asked first.
        headless.dialogAnswers.push_back([](platform::DialogSpec&) { return platform::ModalResult::Yes; });
        const size_t answers = headless.dialogAnswers.size();
        window.Choose("Save1");
        if (headless.dialogAnswers.size() == answers) headless.dialogAnswers.pop_back();
        return ReadBytes(PathOf(typedName.ends_with(".brv") ? typedName : typedName + ".brv"));
    }

    // The scene as the writer would put it now.
    std::string SceneText() const {
        return SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
    }

    std::filesystem::path folder;
};
