// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

namespace brevanto::platform {

// Saves the bytes under the file name so that a save that fails or is killed
// half-way never loses what the user had. Throws InOutError naming the file
// that failed and, where one was kept, the file that holds the contents.
//
// A regular file is saved through two files beside it: "NAME.part" receives
// the new contents and "NAME.previous" the previous ones while they are at
// risk. Both are created for this save only, with the target's owner and
// mode but never with execute bits while they are being written.
// - Usually the new contents go to NAME.part, are synced to the disk, and
//   NAME.part is renamed over the target: a kill at any moment leaves the
//   previous file or the new one. The target keeps its mode and owner.
// - A file with other hard links, or whose owner this process cannot give to
//   a new file, keeps its identity only when it is written where it is:
//   1. the new contents go to NAME.part and are synced;
//   2. the previous contents are copied to NAME.previous and synced, and the
//      folder with them;
//   3. the target is emptied, written and synced;
//   4. NAME.previous is removed, then NAME.part.
//   Until step 3 is done the target or NAME.previous holds the complete
//   previous contents, and from step 1 on NAME.part holds the complete new
//   ones. A write that fails in step 3 keeps both and names them.
// - A leftover NAME.part or NAME.previous of an interrupted save is removed
//   only when it cannot be the only complete copy of anything: when it has
//   the target's contents, or (NAME.previous) when NAME.part beside it has
//   them, which shows that the save which left it had finished writing.
//   Any other leftover is kept and the save refused with a message naming
//   it, so that the user can look at it first.
// - A symbolic link stays and its target receives the data, as above.
// - A read-only file and a folder are refused before anything is created.
// - A device, a named pipe or a terminal is written straight into, never
//   replaced. A pipe that nobody reads from and a socket are refused rather
//   than waited for, and a reader that goes away makes the save fail instead
//   of ending the program.
void ReplaceFileContents(const std::string& fileName, const std::string& bytes);

// The steps after which the disk holds a different set of files; tests stop
// the save there to see what a kill at that moment leaves behind.
enum class SaveStep {
    NewContentsWritten,    // NAME.part complete
    PreviousContentsKept,  // NAME.previous complete (in-place saves only, as the three below)
    TargetEmptied,
    TargetWritten,
    BackupRemoved,
};
void ReplaceFileContents(const std::string& fileName, const std::string& bytes,
                         const std::function<void(SaveStep)>& afterStep);

}  // namespace brevanto::platform
