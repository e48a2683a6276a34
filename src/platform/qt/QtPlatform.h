// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "platform/Platform.h"
#include "platform/qt/QtProgressWindow.h"

namespace brevanto::platform {

// Dialogs, messages, file choosers, the progress window and pictures with Qt
// Widgets. Create it once the QApplication exists.
class QtPlatform : public Platform {
public:
    // Takes the decimal separator of the user's locale for the number texts.
    QtPlatform();

    ModalResult ShowModal(DialogSpec& dialog) override;
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> OpenFileName(const std::string& filter, const std::string& folder) override;
    std::optional<ChosenFile> SaveFileName(const std::string& filter, const std::string& suggested) override;
    ProgressWindow& Progress() override { return progress; }
    std::unique_ptr<Bitmap> CreateBitmap(int width, int height) override;
    // Kept in the user's settings (QSettings).
    std::vector<std::string> RecentFiles() override;
    void SetRecentFiles(const std::vector<std::string>& files) override;
    // Qt's application data location.
    std::string DataFolder() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    // Every waiting event but the keys', which are dropped.
    void LetEventsThrough() override;

private:
    QWidget* DialogParent();

    QtProgressWindow progress;
};

}  // namespace brevanto::platform
