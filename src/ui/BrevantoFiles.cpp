// The main window's file commands: scenes and pictures.
#include "files/FileNames.h"
#include "files/SceneFile.h"
#include "model/Programvar.h"
#include "platform/Errors.h"
#include "ui/Brevanto.h"

namespace {
std::string SceneFilter() { return prgvar().titel + "-Files (*.brv)|*.brv"; }
}  // namespace

void TForm1::Load1Click() {
    platform::ReportingErrors([&] {
        const std::optional<std::string> fileName = platform.OpenFileName(SceneFilter());
        if (fileName) LoadScene(*fileName, SceneTarget{platform, window, *picture, list, displays});
    });
}

void TForm1::Save1Click() {
    platform::ReportingErrors([&] {
        const std::optional<std::string> fileName = platform.SaveFileName(SceneFilter());
        if (fileName) SaveScene(WithExtension(*fileName, ".brv"), list, displays);
    });
}

void TForm1::Speichern1Click() {
    platform::ReportingErrors([&] {
        const std::optional<std::string> fileName = platform.SaveFileName("Bitmap-Files (*.bmp)|*.bmp");
        if (fileName) picture->SaveToFile(WithExtension(*fileName, ".bmp"));
    });
}
