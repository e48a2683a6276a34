#include "platform/HeadlessPlatform.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

HeadlessWindow::HeadlessWindow(int width, int height) : screenWidth(width), screenHeight(height), surface(0, 0) {}

void HeadlessWindow::SetCaption(const std::string& newCaption) {
    caption = newCaption;
    captions.push_back(newCaption);
}

void HeadlessWindow::SetClientWidth(int width) { surface.SetSize(std::clamp(width, 0, screenWidth), surface.Height()); }

void HeadlessWindow::SetClientHeight(int height) {
    surface.SetSize(surface.Width(), std::clamp(height, 0, screenHeight));
}

namespace {
const MenuItem* FindItem(const std::vector<MenuItem>& items, const std::string& name) {
    for (const MenuItem& item : items) {
        if (item.name == name && item.action) return &item;
        if (const MenuItem* found = FindItem(item.children, name)) return found;
    }
    return nullptr;
}
}  // namespace

void HeadlessWindow::Choose(const std::string& name) const {
    const MenuItem* item = FindItem(menu, name);
    if (item == nullptr) throw std::logic_error("the menu has no item " + name);
    item->action();
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
    return answer(dialog);
}

std::optional<std::string> HeadlessPlatform::NextFileName(const std::string& filter) {
    fileFilters.push_back(filter);
    if (fileNameAnswers.empty()) return std::nullopt;
    auto answer = fileNameAnswers.front();
    fileNameAnswers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessPlatform::OpenFileName(const std::string& filter) { return NextFileName(filter); }

std::optional<std::string> HeadlessPlatform::SaveFileName(const std::string& filter) { return NextFileName(filter); }

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
    progressTexts.push_back(text);
    if (onProgressText) onProgressText(text);
}

void HeadlessPlatform::Show() {
    ++progressShown;
    progressVisible = true;
}

}  // namespace platform
