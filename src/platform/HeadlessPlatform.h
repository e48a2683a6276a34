// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/RasterBitmap.h"
#include "platform/Window.h"

namespace brevanto::platform {

// A long computation sets its caption and progress several times a second
// for hours; the headless platform keeps only this many of the latest.
inline constexpr size_t kRecorded = 100;

// A main window without a screen: its drawing area is a picture in memory and
// its latest caption changes are recorded.
class HeadlessWindow : public Window {
public:
    // The largest drawing area this "screen" grants.
    HeadlessWindow(int screenWidth, int screenHeight);

    void SetCaption(const std::string& caption) override;
    std::string Caption() const override { return caption; }
    int ClientWidth() const override { return surface.Width(); }
    int ClientHeight() const override { return surface.Height(); }
    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;
    // The whole screen.
    int AreaWidth() const override { return screenWidth; }
    int AreaHeight() const override { return screenHeight; }
    // Nothing to show larger or smaller.
    void ZoomView(ViewZoom) override {}
    TColor Color() const override { return colour; }
    void SetColor(TColor newColour) override { colour = newColour; }
    Canvas& GetCanvas() override { return surface.GetCanvas(); }
    // As the close box does: the events' receiver may keep the window open.
    void Close() override { closed = events == nullptr || events->CloseRequested(); }
    void SetMenu(std::vector<MenuItem> newMenu) override { menu = std::move(newMenu); }
    // Nothing to show: an item is asked when it is chosen.
    void UpdateMenuStates() override {}
    void SetEvents(WindowEvents* newEvents) override { events = newEvents; }
    void SetStatusText(const std::string& text) override { statusText = text; }
    void ShowMeasurement(const Measurement& measurement) override {
        measurements.push_back(measurement);
        measurementShown = true;
    }
    void ClearMeasurement() override { measurementShown = false; }
    void ShowReadings(const ReadingTable& shown) override { readings = shown; }
    void ShowPlots(const std::vector<Plot>& shown) override { plots = shown; }

    const RasterBitmap& Surface() const { return surface; }
    // The last kRecorded captions, in order.
    std::vector<std::string> Captions() const { return {captions.begin(), captions.end()}; }
    // Runs the action of the menu item with this name, as a click on it would
    // (nothing when it is disabled); throws std::logic_error when there is none.
    void Choose(const std::string& name) const;
    const std::vector<MenuItem>& Menu() const { return menu; }
    WindowEvents& Events() const;
    // The shortcut's item runs, as the key would run it.
    void Press(StandardKey key) const;
    void Press(const std::string& shortcut) const;
    bool closed = false;
    std::string statusText;
    std::vector<Measurement> measurements;  // as shown, in order
    bool measurementShown = false;          // the last is still shown
    ReadingTable readings;                  // as last shown
    std::vector<Plot> plots;                // as last shown

private:
    int screenWidth;
    int screenHeight;
    RasterBitmap surface;
    std::string caption;
    std::deque<std::string> captions;
    TColor colour = kButtonFaceColour;
    std::vector<MenuItem> menu;
    WindowEvents* events = nullptr;
};

// A platform that answers dialogs from a script and records what the program
// shows: for tests and for the command-line tool.
class HeadlessPlatform : public Platform, private ProgressWindow {
public:
    // Answers the next dialog: may change its controls, returns how it closes.
    using DialogAnswer = std::function<ModalResult(DialogSpec&)>;

    ModalResult ShowModal(DialogSpec& dialog) override;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::optional<std::string> OpenFileName(const std::string& filter, const std::string& folder) override;
    std::optional<ChosenFile> SaveFileName(const std::string& filter, const std::string& suggested) override;
    // The next scripted answer; without one, unscriptedAnswer. The question
    // is recorded either way.
    bool AskYesNo(const std::string& question) override;
    ProgressWindow& Progress() override { return *this; }
    std::unique_ptr<Bitmap> CreateBitmap(int width, int height) override;
    std::vector<std::string> RecentFiles() override { return recentFiles; }
    void SetRecentFiles(const std::vector<std::string>& files) override { recentFiles = files; }
    std::string DataFolder() override { return dataFolder; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    // Runs onEvents, where a script lets a mouse move arrive.
    void LetEventsThrough() override {
        if (onEvents) onEvents();
    }

    // Dialogs without a scripted answer are closed with Cancel and recorded.
    std::deque<DialogAnswer> dialogAnswers;
    std::deque<std::optional<std::string>> fileNameAnswers;
    // The file type each save dialog selects; 0 when there is none.
    std::deque<size_t> fileTypeAnswers;
    std::vector<std::string> shownDialogs;  // captions, in order
    std::vector<std::string> unansweredDialogs;
    std::vector<std::string> messages;
    std::vector<std::string> fileFilters;
    // Where each file dialog started: the open dialog's folder, the save
    // dialog's suggested name.
    std::vector<std::string> fileDialogStarts;
    // The last kRecorded of each, in order.
    std::deque<std::string> progressTexts;
    std::deque<double> progressShares;
    int progressShown = 0;
    bool progressVisible = false;
    std::vector<std::string> recentFiles;
    std::string clipboard;
    std::string dataFolder;  // none: no copy of an unsaved scene is kept
    std::deque<bool> questionAnswers;
    bool unscriptedAnswer = false;
    std::vector<std::string> questions;
    // Long computations stop once this time has passed.
    std::optional<std::chrono::steady_clock::time_point> deadline;
    // Asked at every check whether to stop, as a Cancel button would be.
    std::function<bool()> cancelWhen;
    // What arrives while a computation lets the events through, if given.
    std::function<void()> onEvents;
    // Called with every progress text as it is set, if given.
    std::function<void(const std::string&)> onProgressText;

private:
    void Show() override;
    void SetText(const std::string& text) override;
    void SetShare(double share) override;
    void Repaint() override {}
    void Close() override { progressVisible = false; }
    bool Cancelled() const override {
        return (deadline && std::chrono::steady_clock::now() >= *deadline) || (cancelWhen && cancelWhen());
    }
    std::optional<std::string> NextFileName(const std::string& filter, const std::string& start);
};

}  // namespace brevanto::platform
