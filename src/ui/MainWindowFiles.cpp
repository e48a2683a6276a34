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
    const std::optional<SceneFileProblem>& problem = contents.problem;
    // Reading stopped at a number that does not convert or at a line that
    // cannot be read: before the state is replaced, that leaves it as it was.
    const bool badNumber = problem && (problem->kind == Kind::BadNumber || problem->kind == Kind::Unreadable);
    if (badNumber && !contents.stateReplaced) throw platform::ConversionError(problem->message);

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
    if (badNumber) throw platform::ConversionError(problem->message);
    RedrawAll();
    if (fits && problem && problem->kind == Kind::WrongObject) platform.ShowMessage("Fehler hier!");
    if (!fits || problem)
        platform.ShowMessage("The file " + fileName + " could not be opend" + (fits ? std::string() : kLowResolution));
}

void MainWindow::SaveScene() {
    const std::optional<std::string> fileName = platform.SaveFileName(SceneFilter(settings));
    if (fileName) ::SaveScene(WithExtension(*fileName, ".brv"), settings, displays, list);
}

void MainWindow::SavePicture() {
    const std::optional<std::string> fileName = platform.SaveFileName("Bitmap-Files (*.bmp)|*.bmp");
    if (fileName) picture->SaveToFile(WithExtension(*fileName, ".bmp"));
}
