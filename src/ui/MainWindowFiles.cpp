// The main window's file commands: scenes and pictures.
#include "files/FileNames.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/MainWindow.h"

namespace {

const std::string kLowResolution = ", because the resolution of Your screen is not high enough";

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

}  // namespace

void MainWindow::OpenScene() {
    const std::optional<std::string> fileName = platform.OpenFileName(SceneFilter(settings));
    if (!fileName) return;
    platform::TextFile file = platform::TextFile::Read(*fileName);
    SceneFileContents contents = ReadSceneFile(file, settings.titel, displays);
    ApplyScene(contents, *fileName);
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

    bool fits = true;
    if (contents.screenRead) fits = FitWindow(window, contents.breite, contents.hoehe);
    // The picture follows the size the window really took, also when that is
    // not the file's.
    picture->SetSize(window.ClientWidth(), window.ClientHeight());
    if (fits && contents.hintergrundfarbe) window.SetColor(*contents.hintergrundfarbe);

    mouseMode = std::make_unique<NoDrawingMode>();
    settings = DefaultSettings();
    if (fits && contents.stateReplaced) {
        settings.sellaenge = contents.settings.sellaenge;
        settings.richtungprosel = contents.settings.richtungprosel;
        settings.abbruchgenauigkeit = contents.settings.abbruchgenauigkeit;
        settings.maximaleiterationen = contents.settings.maximaleiterationen;
        displays = std::move(contents.displays);
        list = std::move(contents.list);
    } else {
        // Nothing after a screen section the window cannot take is read.
        displays = Displays{};
        list.Clear(NewBackground());
    }
    if (badNumber) throw platform::ConversionError(badNumberMessage);
    RedrawAll();
    if (!fits) {
        platform.ShowMessage(couldNotOpen + kLowResolution);
        return;
    }
    if (!problem) return;
    if (problem->kind == Kind::WrongObject) platform.ShowMessage("Fehler hier!");
    platform.ShowMessage(couldNotOpen + "\r" + Where(*problem));
}

void MainWindow::SaveScene() {
    const std::optional<std::string> fileName = platform.SaveFileName(SceneFilter(settings));
    if (fileName) ::SaveScene(WithExtension(*fileName, ".brv"), settings, displays, list);
}

void MainWindow::SavePicture() {
    const std::optional<std::string> fileName = platform.SaveFileName("Bitmap-Files (*.bmp)|*.bmp");
    if (fileName) picture->SaveToFile(WithExtension(*fileName, ".bmp"));
}
