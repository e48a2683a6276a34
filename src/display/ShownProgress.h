#pragma once
#include "platform/Platform.h"

// Shows the progress window for one long pass of a display and closes it
// again when the pass ends, also when an error ends it early.
class ShownProgress {
public:
    ShownProgress() : window(platform::CurrentPlatform().Progress()) { window.Show(); }
    ~ShownProgress() { window.Close(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    // The text at once, not at the next repaint: nothing else repaints the
    // window while the pass runs.
    void SetText(const std::string& text) {
        window.SetText(text);
        window.Repaint();
    }

private:
    platform::ProgressWindow& window;
};
