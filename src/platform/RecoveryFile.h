// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace brevanto::platform {

// A running program's copy of the scene it has not saved, in the user's data
// folder, so that a crash, a kill or a power cut does not take the work with
// it. Each program writes a file of its own ("scene-PID.brv") and holds a
// lock on "scene-PID.lock" while it runs: a copy whose lock nobody holds was
// left by a program that ended without removing it, and two running
// programs never take each other's copy. Nothing here is ever a reason to
// stop the user's work: a folder that cannot be written keeps no copy.
class RecoveryFile {
public:
    // No folder: no copy is kept.
    explicit RecoveryFile(std::string folder);
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // Replaces the copy with this scene text; unchanged text is not written
    // again.
    void Keep(const std::string& text);
    // The scene is saved or given up: no copy.
    void Remove();

    // A copy left by a program that no longer runs.
    struct Abandoned {
        std::string text;
        std::time_t written;  // when it was last written
    };
    // The newest copy left behind, if any; taking it removes it (and any
    // older ones) from the folder.
    std::optional<Abandoned> TakeAbandoned();

private:
    std::string folder;
    std::string copyName;  // empty when no copy can be kept
    int lock = -1;         // the descriptor that holds this program's lock
    std::string kept;      // the text last written
};

}  // namespace brevanto::platform
