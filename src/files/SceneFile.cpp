#include "files/SceneFile.h"

#include "model/Programvar.h"
#include "model/Stringfunktionen.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektHintergrund.h"
#include "platform/Conversions.h"

namespace {

const std::string kLowResolution = ", because the resolution of Your screen is not high enough";

std::string Header(const Tprgvar& settings) { return settings.titel + "-File"; }

// The header and the screen section up to the picture size. The size goes to
// the settings only once its line has converted, so that a conversion error
// leaves the settings matching the window.
bool ReadPictureSize(KeyReader& reader, Tprgvar& settings) {
    int32_t hoehe = settings.hoehe;
    int32_t breite = settings.breite;
    const bool ok = reader.Keyword(Header(settings)) && reader.Keyword("begin") && reader.Keyword("screen") &&
                    reader.Keyword("begin") && reader.Int("hoehe=", hoehe) && reader.Int("breite=", breite);
    settings.hoehe = hoehe;
    settings.breite = breite;
    return ok;
}

// Gives the window the settings' picture size; false when it cannot take it.
bool FitWindow(platform::Window& window, const Tprgvar& settings) {
    // Setting the width can change the height a window grants (a menu bar
    // that wraps) and the other way round; three rounds let it settle.
    for (int round = 0; round < 3; ++round) {
        window.SetClientWidth(settings.breite);
        window.SetClientHeight(settings.hoehe);
    }
    return window.ClientHeight() == settings.hoehe && window.ClientWidth() == settings.breite;
}

// The sections after the screen: displays, settings and the background
// radiation. The state is replaced whatever `ok` says; the sections are read
// only while it holds.
bool ReplaceState(platform::TextFile& file, const SceneTarget& target, bool ok) {
    KeyReader reader(file);
    target.list.Clear();
    // The new scene holds no computed radiation, even if loading stops before
    // the settings are replaced.
    prgvar().berechnet = false;
    target.displays = TDisplays{};
    ok = ok && reader.Keyword("vektorpfeile") && target.displays.vektorpfeile.LoadFromFile(file);
    SetPrgvar(std::make_unique<Tprgvar>(target.window.ClientHeight(), target.window.ClientWidth(),
                                        target.window.Color()));
    ok = ok && reader.Keyword("prgvar") && prgvar().LoadSettings(file);
    ok = ok && reader.Keyword("linien") && target.displays.linien.LoadFromFile(file);
    ok = ok && reader.Keyword("energiekreise") && target.displays.energiekreise.LoadFromFile(file);
    return ok && reader.Keyword("hintergrund") && target.list.Background().LoadFromFile(file);
}

// Appends the objects up to the final "end". The kind registry decides which
// kind lines exist. An object whose section fails stays with what it read.
bool ReadObjects(platform::TextFile& file, const SceneTarget& target) {
    for (std::string kind = file.ReadLine(); kind != "end"; kind = file.ReadLine()) {
        std::unique_ptr<Tszeneobjekt> object = CreateObjectOfKind(kind, 0, 0, 0, 0);
        bool ok = false;
        if (object) {
            Tszeneobjekt& added = *object;
            target.list.Append(std::move(object));
            ok = added.LoadFromFile(file);
        }
        if (!ok) {
            target.platform.ShowMessage("Fehler hier!");
            return false;
        }
    }
    return true;
}

}  // namespace

platform::TextFile SceneFileText(const TSceneList& list, const TDisplays& displays) {
    using platform::IntToStr;
    const Tprgvar& settings = prgvar();
    platform::TextFile file;
    file.WriteLine(Header(settings));
    file.WriteLine("begin");
    file.WriteLine("screen");
    file.WriteLine("begin");
    file.WriteLine("hoehe=" + IntToStr(settings.hoehe));
    file.WriteLine("breite=" + IntToStr(settings.breite));
    file.WriteLine("hintergrundfarbe=" + IntToStr(settings.hintergrundfarbe));
    file.WriteLine("end");
    displays.vektorpfeile.SaveToFile(file);
    settings.SaveSettings(file);
    displays.linien.SaveToFile(file);
    displays.energiekreise.SaveToFile(file);
    for (const auto& object : list) object->SaveToFile(file);
    file.WriteLine("end");
    return file;
}

void SaveScene(const std::string& fileName, const TSceneList& list, const TDisplays& displays) {
    SceneFileText(list, displays).Write(fileName);
}

bool LoadScene(const std::string& fileName, const SceneTarget& target) {
    platform::TextFile file = platform::TextFile::Read(fileName);
    return LoadScene(file, fileName, target);
}

bool LoadScene(platform::TextFile& file, const std::string& fileName, const SceneTarget& target) {
    KeyReader reader(file);
    Tprgvar& settings = prgvar();
    std::string reason;
    bool ok = ReadPictureSize(reader, settings);
    if (!FitWindow(target.window, settings)) {
        ok = false;
        reason = kLowResolution;
    }
    // The picture follows the size the window really took, also when that is
    // not the file's.
    target.picture.SetSize(target.window.ClientWidth(), target.window.ClientHeight());
    if (ok) {
        ok = reader.Int("hintergrundfarbe=", settings.hintergrundfarbe);
        target.window.SetColor(settings.hintergrundfarbe);
        ok = ok && reader.Keyword("end");
    }
    ok = ReplaceState(file, target, ok);
    ok = ok && ReadObjects(file, target);
    target.list.RedrawAll(target.picture, target.window.GetCanvas());
    if (!ok) target.platform.ShowMessage("The file " + fileName + " could not be opend" + reason);
    return ok;
}
