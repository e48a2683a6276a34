// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HeadlessPlatform.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace brevanto::platform {

namespace {
template <class Value>
void Record(std::deque<Value>& latest, Value value) {
    if (latest.size() == kRecorded) latest.pop_front();
    latest.push_back(std::move(value));
}
}  // namespace

HeadlessWindow::HeadlessWindow(int width, int height) : screenWidth(width), screenHeight(height), surface(0, 0) {}

void HeadlessWindow::SetCaption(const std::string& newCaption) {
    caption = newCaption;
    Record(captions, newCaption);
}

void HeadlessWindow::SetClientWidth(int width) { surface.SetSize(std::clamp(width, 0, screenWidth), surface.Height()); }

void HeadlessWindow::SetClientHeight(int height) {
    surface.SetSize(surface.Width(), std::clamp(height, 0, screenHeight));
}

namespace {
template <class Matches>
const MenuItem* FindItem(const std::vector<MenuItem>& items, Matches matches) {
    for (const MenuItem& item : items) {
        if (item.action && matches(item)) return &item;
        if (const MenuItem* found = FindItem(item.children, matches)) return found;
    }
    return nullptr;
}

void Run(const MenuItem* item, const std::string& what) {
    if (item == nullptr) throw std::logic_error("the menu has no item for " + what);
    if (!item->Enabled()) return;
    // A copy: the command may replace the menu, and the item with it.
    const std::function<void()> command = item->action;
    command();
}
}  // namespace

void HeadlessWindow::Choose(const std::string& name) const {
    Run(FindItem(menu, [&](const MenuItem& item) { return item.name == name; }), name);
}

void HeadlessWindow::Press(StandardKey key) const {
    Run(FindItem(menu, [&](const MenuItem& item) { return item.key == key; }), "a standard key");
}

void HeadlessWindow::Press(const std::string& shortcut) const {
    Run(FindItem(menu, [&](const MenuItem& item) { return item.shortcut == shortcut; }), shortcut);
}

WindowEvents& HeadlessWindow::Events() const {
    if (events == nullptr) throw std::logic_error("nothing answers the window's events");
    return *events;
}

ModalResult HeadlessPlatform::ShowModal(DialogSpec& dialog) {
    shownDialogs.push_back(dialog.caption);
    if (dialogAnswers.empty()) {
        unansweredDialogs.push_back(dialog.caption);
        return ModalResult::Cancel;
    }
    DialogAnswer answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    const ModalResult result = answer(dialog);
    dialog.focus.clear();
    return result;
}

std::optional<std::string> HeadlessPlatform::NextFileName(const std::string& filter, const std::string& start) {
    fileFilters.push_back(filter);
    fileDialogStarts.push_back(start);
    if (fileNameAnswers.empty()) return std::nullopt;
    auto answer = fileNameAnswers.front();
    fileNameAnswers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessPlatform::OpenFileName(const std::string& filter, const std::string& folder) {
    return NextFileName(filter, folder);
}

std::optional<ChosenFile> HeadlessPlatform::SaveFileName(const std::string& filter, const std::string& suggested) {
    const std::optional<std::string> name = NextFileName(filter, suggested);
    size_t type = 0;
    if (!fileTypeAnswers.empty()) {
        type = fileTypeAnswers.front();
        fileTypeAnswers.pop_front();
    }
    if (!name) return std::nullopt;
    return ChosenFile{*name, type};
}

std::unique_ptr<Bitmap> HeadlessPlatform::CreateBitmap(int width, int height) {
    return std::make_unique<RasterBitmap>(width, height);
}

bool HeadlessPlatform::AskYesNo(const std::string& question) {
    questions.push_back(question);
    if (questionAnswers.empty()) return unscriptedAnswer;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

void HeadlessPlatform::SetText(const std::string& text) {
    Record(progressTexts, text);
    if (onProgressText) onProgressText(text);
}

void HeadlessPlatform::SetShare(double share) { Record(progressShares, share); }

void HeadlessPlatform::Show() {
    ++progressShown;
    progressVisible = true;
}

}  // namespace brevanto::platform
