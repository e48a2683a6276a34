// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as a scene file, read by the reader alone and then
// opened in a headless main window. Every outcome is a scene or a message;
// a crash, a leak, undefined behaviour or an inconsistent state is a finding.
#include "FuzzScene.h"
#include "files/SceneFile.h"
#include "model/ParallelFor.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::display;
using namespace brevanto::files;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetThreadCount(1);
    platform::TextFile file = platform::TextFile::FromText(std::string(reinterpret_cast<const char*>(data), size));
    const SceneFileContents contents = ReadSceneFile(file, Displays{});
    if (contents.problem && contents.problem->line == 0) std::abort();  // a problem is at a line of the file

    // A small screen keeps every redraw quick: larger pictures are refused
    // with a message, which is a path worth fuzzing too.
    FuzzedScene scene(data, size, 96);
    scene.CheckConsistent();
    if (scene.form.Settings().berechnet) std::abort();                      // a loaded scene is not computed
    if (contents.problem && scene.headless.messages.empty()) std::abort();  // told nothing of the problem
    // A scene read only in part is not the file's: saving it must ask for a name.
    if (contents.problem && contents.stateReplaced &&
        (!scene.form.SceneFile().empty() || !scene.form.HasUnsavedChanges()))
        std::abort();
    return 0;
}
