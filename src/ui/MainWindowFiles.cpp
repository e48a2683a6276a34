// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file commands: scenes and pictures.
#include <algorithm>
#include <filesystem>

#include "files/FileNames.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/MainMenu.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace model;
using namespace objects;
using namespace display;
using namespace files;

namespace {

const std::string kLowResolution = ", because the resolution of Your screen is not high enough";
// How many recent files "File" lists.
constexpr size_t kRecentFiles = 5;

std::string SceneFilter(const Tprgvar& settings) { return settings.titel + "-Files (*.brv)|*.brv"; }

// Asks the window for the drawing area of the file's picture; false when it
// cannot take it. Setting the width can change the height a window grants (a
// menu bar that wraps) and the other way round; three rounds let it settle.
bool FitWindow(platform::Window& window, int32_t breite, int32_t hoehe) {
    for (int round = 0; round < 3; ++round) {
        window.SetClientWidth(breite);
        window.SetClientHeight(hoehe);
    }
    return window.ClientHeight() == hoehe && window.ClientWidth() == breite;
}

// Where the file went wrong: "In line 12, ... was expected, but it reads ...".
std::string Where(const SceneFileProblem& problem) {
    constexpr size_t kQuoted = 40;  // a whole 10 MB line must not become a message
    std::string found = problem.found.substr(0, kQuoted);
    if (problem.found.size() > kQuoted) found += "...";
    return "In line " + std::to_string(problem.line) + ", " + problem.expected + " was expected, but " +
           (problem.pastEnd ? std::string("the file ends before it.") : "it reads \"" + found + "\".");
}

// The objects that hold values their dialogs would refuse, one line each:
// "Lines 40-52 (Circular mirror): The sum must not be more than 100%.".
std::string ValueWarnings(const std::vector<SceneFileWarning>& warnings, const std::string& fileName) {
    std::string message =
        "The file " + fileName + " holds values that the dialogs would not accept; they are kept as stored:";
    for (const SceneFileWarning& warning : warnings)
        message += "\rLines " + std::to_string(warning.firstLine) + "-" + std::to_string(warning.lastLine) + " (" +
                   warning.description + "): " + warning.problem;
    return message;
}

}  // namespace

void MainWindow::OpenScene() {
    if (!MayDiscardChanges()) return;
    const std::optional<std::string> fileName = platform.OpenFileName(SceneFilter(settings), SceneFolder());
    if (fileName) OpenSceneFile(*fileName);
}

void MainWindow::OpenRecentFile(const std::string& fileName) {
    if (MayDiscardChanges()) OpenSceneFile(fileName);
}

void MainWindow::OpenSceneFile(const std::string& fileName) {
    platform::TextFile file = platform::TextFile::Read(fileName);
    SceneFileContents contents = ReadSceneFile(file, displays);
    ApplyScene(contents, fileName);
}

void MainWindow::ApplyScene(SceneFileContents& contents, const std::string& fileName) {
    using Kind = SceneFileProblem::Kind;
    const std::string couldNotOpen = "The file " + fileName + " could not be opend";
    // What is not a scene file at all leaves everything as it was.
    if (!contents.isSceneFile)
        throw std::runtime_error(couldNotOpen + ", because it is not a " + settings.titel + " scene file.");
    const std::optional<SceneFileProblem>& problem = contents.problem;
    // Reading stopped at a number that does not convert or at a line that
    // cannot be read.
    const bool badNumber = problem && (problem->kind == Kind::BadNumber || problem->kind == Kind::Unreadable);
    const std::string badNumberMessage =
        badNumber ? problem->message + "\rIn line " + std::to_string(problem->line) + " of the file " + fileName + "."
                  : std::string();
    // So does a number that does not convert before the state is replaced.
    if (badNumber && !contents.stateReplaced) throw platform::ConversionError(badNumberMessage);

    const bool fits = AdoptScene(contents);
    readings.Clear();  // the points of another scene
    mouseMode = std::make_unique<SelectMode>();
    history.Reset(StateText());
    // A scene read only in part is not that file's: "Save" asks for a name,
    // so that the part never replaces the whole.
    const bool whole = fits && !problem;
    sceneFile = whole ? fileName : std::string();
    if (!whole) history.MarkUnsaved();
    RememberRecentFile(fileName);
    UpdateStatus();
    if (badNumber) throw platform::ConversionError(badNumberMessage);
    RedrawAll();
    if (!fits) {
        platform.ShowMessage(couldNotOpen + kLowResolution);
        return;
    }
    if (problem) {
        if (problem->kind == Kind::WrongObject) platform.ShowMessage("Fehler hier!");
        platform.ShowMessage(couldNotOpen + "\r" + Where(*problem));
    }
    if (!contents.warnings.empty()) platform.ShowMessage(ValueWarnings(contents.warnings, fileName));
}

bool MainWindow::AdoptScene(SceneFileContents& contents) {
    bool fits = true;
    if (contents.screenRead) {
        pictureFollowsArea = false;
        fits = FitWindow(window, contents.breite, contents.hoehe);
    }
    // The picture follows the size the window really took, also when that is
    // not the file's.
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    if (fits && contents.hintergrundfarbe) window.SetColor(*contents.hintergrundfarbe);
    selection.clear();
    chosenLine.reset();
    settings = DefaultSettings();
    if (fits && contents.stateReplaced) {
        settings.sellaenge = contents.settings.sellaenge;
        settings.richtungprosel = contents.settings.richtungprosel;
        settings.abbruchgenauigkeit = contents.settings.abbruchgenauigkeit;
        settings.maximaleiterationen = contents.settings.maximaleiterationen;
        displays = contents.displays;
        list = std::move(contents.list);
        measuringLines = std::move(contents.measuringLines);
    } else {
        // Nothing after a screen section the window cannot take is read.
        displays = Displays{};
        list.Clear(NewBackground());
        measuringLines.clear();
    }
    FollowSceneChanges();
    return fits;
}

void MainWindow::SaveScene() { SaveSceneWithDialog(); }

bool MainWindow::SaveSceneWithDialog() {
    const std::optional<platform::ChosenFile> chosen =
        ChooseFileToWrite(SceneFilter(settings), sceneFile.empty() ? SceneFolder() : sceneFile,
                          [](const platform::ChosenFile& typed) { return WithExtension(typed.name, ".brv"); });
    if (!chosen) return false;
    const std::string& fileName = chosen->name;
    files::SaveScene(fileName, settings, displays, list, measuringLines);
    sceneFile = fileName;
    history.MarkSaved();
    RememberRecentFile(fileName);
    UpdateStatus();
    return true;
}

void MainWindow::SavePicture() {
    // A Windows bitmap as ever; PNG is the second type. The extension typed
    // decides, then the type chosen.
    const std::optional<platform::ChosenFile> chosen =
        ChooseFileToWrite("Bitmap-Files (*.bmp)|*.bmp|PNG-Files (*.png)|*.png", NameBesideScene(".bmp"),
                          [](const platform::ChosenFile& typed) {
                              if (EndsWithNoCase(typed.name, ".png")) return typed.name;
                              if (typed.type == 1 && !EndsWithNoCase(typed.name, ".bmp")) return typed.name + ".png";
                              return WithExtension(typed.name, ".bmp");
                          });
    if (!chosen) return;
    const bool png = EndsWithNoCase(chosen->name, ".png");
    picture->SaveToFile(chosen->name, png ? platform::PictureFormat::Png : platform::PictureFormat::Bmp);
}

std::optional<platform::ChosenFile> MainWindow::ChooseFileToWrite(
    const std::string& filter, std::string suggested,
    const std::function<std::string(const platform::ChosenFile&)>& nameWritten) {
    while (true) {
        std::optional<platform::ChosenFile> chosen = platform.SaveFileName(filter, suggested);
        if (!chosen) return std::nullopt;
        chosen->name = nameWritten(*chosen);
        if (chosen->name == sceneFile || MayReplace(chosen->name)) return chosen;
        suggested = chosen->name;
    }
}

std::string MainWindow::SceneFolder() const {
    if (sceneFile.empty()) return {};
    return std::filesystem::path(sceneFile).parent_path().string();
}

std::string MainWindow::NameBesideScene(const std::string& extension) const {
    if (sceneFile.empty()) return {};
    return std::filesystem::path(sceneFile).replace_extension(extension).string();
}

bool MainWindow::MayReplace(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return true;
    using platform::Control;
    using platform::ModalResult;
    platform::DialogSpec dialog{
        settings.titel,
        {Control::Label("The file " + fileName + " already exists.\rDo you want to replace it?"),
         Control::Button("Replace", ModalResult::Yes), Control::Button("Cancel", ModalResult::Cancel, true).Beside()}};
    return platform.ShowModal(dialog) == ModalResult::Yes;
}

void MainWindow::RememberRecentFile(const std::string& fileName) {
    std::vector<std::string> files = platform.RecentFiles();
    std::erase(files, fileName);
    files.insert(files.begin(), fileName);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
    platform.SetRecentFiles(files);
    // "File" lists them.
    window.SetMenu(MainMenu(*this));
}

}  // namespace brevanto::ui
