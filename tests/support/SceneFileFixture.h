// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "TestFiles.h"
#include "files/SceneFile.h"
#include "platform/Conversions.h"

using namespace brevanto;
using namespace brevanto::files;

// The main window on a 1024 x 768 headless screen, and a folder of its own for
// the files a test writes. Scenes are opened and saved through the menu items,
// so the file dialogs, the error reporting and the redraw take part.
class SceneFileTest : public MainWindowTestOn<1024, 768>, protected TempFolder {
protected:
    ~SceneFileTest() override { platform::SetDecimalSeparator('.'); }

    // "File" > "Open" on `path`, or on a file holding `bytes`; returns the messages shown.
    // A scene read in part before counts as unsaved: "Save changes?" is
    // answered with Discard.
    std::vector<std::string> OpenFile(const std::string& path) {
        headless.messages.clear();
        if (form.HasUnsavedChanges())
            headless.dialogAnswers.push_back([](platform::DialogSpec&) { return platform::ModalResult::No; });
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
};
