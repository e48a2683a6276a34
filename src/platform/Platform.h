// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Dialog.h"

namespace brevanto::platform {

// The small "Information" window that shows what a long computation is doing.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void Show() = 0;  // does not block
    // A carriage return (character 13) breaks the text into lines.
    virtual void SetText(const std::string& text) = 0;
    // The share of the work done, from 0 to 1.
    virtual void SetShare(double share) = 0;
    virtual void Repaint() = 0;  // makes the text visible at once
    virtual void Close() = 0;
    // Whether the computation that shows this window is to stop, because the
    // user cancelled it or a time limit passed. Long loops ask between their
    // steps (passes, objects, grid columns, stream lines), on the thread that
    // shows the window.
    virtual bool Cancelled() const { return false; }
};

// Raised where a long computation finds that it is to stop. It ends the
// operation like any error; a computation it ends stays uncomputed.
class Stopped : public std::runtime_error {
public:
    Stopped() : std::runtime_error("The computation was stopped before it was complete.") {}
};

// A name chosen in a save dialog, and which of the dialog's file types (from
// 0, in the filter's order) was selected there.
struct ChosenFile {
    std::string name;
    size_t type = 0;
};

// Everything of the window system that the program's logic uses besides the
// main window and its pictures. The main window's logic receives it once and
// hands it on to whatever shows a dialog, a message or progress.
class Platform {
public:
    virtual ~Platform() = default;
    virtual ModalResult ShowModal(DialogSpec& dialog) = 0;
    // Modal message with an OK button; carriage returns break lines.
    virtual void ShowMessage(const std::string& text) = 0;
    // The filter is "description|pattern", or several such pairs, joined by
    // "|". Nothing when the user cancels. Neither dialog asks before a file
    // is replaced: the caller knows the name it will really write. The open
    // dialog starts in `folder`, the save dialog with the name `suggested`
    // (a path) filled in and selected; empty for the dialog's own choice.
    virtual std::optional<std::string> OpenFileName(const std::string& filter, const std::string& folder) = 0;
    virtual std::optional<ChosenFile> SaveFileName(const std::string& filter, const std::string& suggested) = 0;
    // Modal question with the buttons Yes and No; true for Yes. Carriage
    // returns break lines.
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual ProgressWindow& Progress() = 0;
    virtual std::unique_ptr<Bitmap> CreateBitmap(int width, int height) = 0;
    // The files last opened or saved, newest first, kept between runs.
    virtual std::vector<std::string> RecentFiles() = 0;
    virtual void SetRecentFiles(const std::vector<std::string>& files) = 0;
    // The desktop's clipboard, as text; what other programs put there too.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The user's folder for the program's own data, such as the copy of an
    // unsaved scene; empty for none.
    virtual std::string DataFolder() = 0;
    // Handles the window system's waiting events now, during a computation
    // that shows no progress window and stays on the events' thread (the
    // display that follows a drag): the mouse's moves and releases, the
    // repaints; the keys are held back, so no command starts meanwhile.
    virtual void LetEventsThrough() {}
};

// Shows the progress window for one long pass and closes it again when the
// pass ends, also when an error ends it early.
class ShownProgress {
public:
    explicit ShownProgress(ProgressWindow& shown) : window(shown) { window.Show(); }
    ~ShownProgress() { window.Close(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    // The text and the share done, at once, not at the next repaint:
    // nothing else repaints the window while the pass runs.
    void SetText(const std::string& text, double share) {
        window.SetText(text);
        window.SetShare(share);
        window.Repaint();
    }
    // The share done alone, under the text shown last.
    void SetShare(double share) {
        window.SetShare(share);
        window.Repaint();
    }
    // Throws Stopped when the window says the computation is to stop.
    void StopIfCancelled() const {
        if (window.Cancelled()) throw Stopped();
    }

private:
    ProgressWindow& window;
};

}  // namespace brevanto::platform
