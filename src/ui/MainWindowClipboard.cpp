// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's clipboard commands and the arrow keys: the selection as
// scene file text, so that objects move between two running programs or
// into a text editor and back.
#include "files/ObjectSection.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace model;
using namespace objects;
using namespace files;

namespace {

// Pasted over an equal object, a copy moves aside by this much, so it shows.
constexpr int32_t kPasteOffset = 10;
// An arrow key moves the selection by one pixel, with Shift by this many.
constexpr int32_t kLargeNudge = 10;

}  // namespace

std::string MainWindow::SelectionAsSceneText() const {
    SceneList selected(NewBackground());
    for (const Tszeneobjekt* object : list)
        if (IsSelected(object)) selected.Append(ObjectFromSection(SectionOf(*object)));
    return SceneFileText(settings, displays, selected).Text();
}

void MainWindow::CopySelection() {
    if (!SelectedObjects().empty()) platform.SetClipboardText(SelectionAsSceneText());
}

void MainWindow::CutSelection() {
    CopySelection();
    DeleteSelectedObject();
}

void MainWindow::Paste() { PasteSceneText(platform.ClipboardText()); }

void MainWindow::DuplicateSelection() {
    if (!SelectedObjects().empty()) PasteSceneText(SelectionAsSceneText());
}

// Only the objects of a scene file read whole are taken; its background,
// picture and settings stay the scene's own.
void MainWindow::PasteSceneText(const std::string& text) {
    platform::TextFile file = platform::TextFile::FromText(text);
    SceneFileContents contents = ReadSceneFile(file, displays);
    if (!contents.isSceneFile) return;  // other text on the clipboard
    if (contents.problem || !contents.stateReplaced || contents.list.size() < 2) {
        platform.ShowMessage("The clipboard holds no objects that could be pasted.");
        return;
    }
    mouseMode = std::make_unique<SelectMode>();
    std::vector<Tszeneobjekt*> pasted;
    for (size_t i = 1; i < contents.list.size(); ++i) {
        std::unique_ptr<Tszeneobjekt> object = ObjectFromSection(SectionOf(contents.list[i]));
        for (int moves = 0; moves < 100 && IsInScene(SectionOf(*object)); ++moves)
            object->MoveBy(kPasteOffset, kPasteOffset);
        pasted.push_back(object.get());
        list.Append(std::move(object));
    }
    RedrawAll();
    SetSelection(std::move(pasted));
}

bool MainWindow::IsInScene(const std::string& savedText) const {
    for (size_t i = 1; i < list.size(); ++i)
        if (SectionOf(list[i]) == savedText) return true;
    return false;
}

void MainWindow::ArrowKeyPressed(int dx, int dy, bool shift) {
    const std::vector<Tszeneobjekt*> selected = SelectedObjects();
    if (selected.empty() || liveFrameRunning) return;
    const int32_t step = shift ? kLargeNudge : 1;
    platform::ReportingErrors(platform, [&] {
        for (Tszeneobjekt* object : selected) object->MoveBy(dx * step, dy * step);
        RedrawAll();
        NoteChanges();
    });
}

}  // namespace brevanto::ui
