// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace brevanto::ui {

// The states of the scene as the user changed it, each the text of its scene
// file, for undo and redo, and the state last saved, for "unsaved changes".
// A state holds objects, settings and colours exactly, and nothing computed.
class EditHistory {
public:
    // A new or opened scene: nothing to undo, and nothing unsaved.
    void Reset(const std::string& state);
    // After a command that may have changed the scene: a state that differs
    // from the current one becomes current, and the old one can be undone.
    void Note(const std::string& state);
    // The state to go back to, or forward to; nothing when there is none.
    std::optional<std::string> Undo();
    std::optional<std::string> Redo();
    void MarkSaved() { saved = current; }
    // The current state is in no file (a file read only in part): unsaved
    // until it is saved. No state is the empty text.
    void MarkUnsaved() { saved.clear(); }

    bool CanUndo() const { return !undone.empty(); }
    bool CanRedo() const { return !redone.empty(); }
    bool Unsaved() const { return current != saved; }
    const std::string& Current() const { return current; }

private:
    std::vector<std::string> undone;  // oldest first
    std::vector<std::string> redone;  // next to redo last
    std::string current;
    std::string saved;
};

}  // namespace brevanto::ui
