#include "ui/MainMenu.h"

#include "platform/Errors.h"
#include "ui/Brevanto.h"

namespace {

MenuItem Item(std::string caption, std::string name, void (TForm1::*handler)()) {
    return {std::move(caption), std::move(name),
            [handler](TForm1& form) { platform::ReportingErrors([&] { (form.*handler)(); }); }, {}};
}

MenuItem Mode(std::string caption, std::string name, std::string keyword) {
    return {std::move(caption), std::move(name), [keyword](TForm1& form) { form.SetDrawingMode(keyword); }, {}};
}

MenuItem Submenu(std::string caption, std::vector<MenuItem> children) {
    return {std::move(caption), "", nullptr, std::move(children)};
}

}  // namespace

const std::vector<MenuItem>& MainMenu() {
    static const std::vector<MenuItem> menu{
        Submenu("File", {Item("New", "Neu1", &TForm1::Neu1Click), Item("Open", "Load1", &TForm1::Load1Click),
                         Item("Save", "Save1", &TForm1::Save1Click),
                         Item("Save as Picture", "Speichern1", &TForm1::Speichern1Click),
                         Item("Quit", "Beenden1", &TForm1::Beenden1Click)}),
        Submenu("Scenery Objects",
                {Submenu("Straight objects ",
                         {Mode("Lambert-like emitter ", "LambertscherStrahler1", "lambert"),
                          Mode("Emitter of parallel light", "ParallelerStrahler1", "parallel"),
                          Mode("Mirror / Diffusor ", "ReflektorAbsorber1", "spiegel"),
                          Mode("Absorber", "Absorber1", "absorber")}),
                 Submenu("Circular objects ", {Mode("Lambert-like emitter ", "LambertscherStrahler2", "lambertkreis"),
                                               Mode("Mirror / Diffusor ", "SpiegelDiffusor1", "spiegelkreis"),
                                               Mode("Absorber", "Absorber2", "absorberkreis")}),
                 Item("Sun", "Sonne1", &TForm1::Sonne1Click),
                 Item("Background Radiation", "Hintergrundstrahlung1", &TForm1::Hintergrundstrahlung1Click)}),
        Submenu("Edit", {Item("Object Manager", "Objektmanager1", &TForm1::Objektmanager1Click)}),
        Submenu("Graphical representation ",
                {Submenu("Energy flow density", {Item("Arrows", "Vektorpfeile1", &TForm1::Vektorpfeile1Click),
                                                 Item("Stream-lines", "Stromlinien1", &TForm1::Stromlinien1Click),
                                                 Mode("Single stream-line", "EineStromlinie1", "einestromlinie")}),
                 Submenu("Energy density", {Item("Circles", "Kreise1", &TForm1::Kreise1Click)})}),
        Submenu("Delete", {Item("Graphical representation", "Darstellungsformen1", &TForm1::Darstellungsformen1Click),
                           Item("All objects in the scene", "SzeneObjekte2", &TForm1::SzeneObjekte2Click)}),
        Submenu("&Parameters",
                {Item("Arrows of energy flow density", "Vektorpfeile2", &TForm1::Vektorpfeile2Click),
                 Item("Stream-lines ", "Energieflussfeldlinien1", &TForm1::Energieflussfeldlinien1Click),
                 Item("Circles of energy density ", "Energiekreise1", &TForm1::Energiekreise1Click),
                 Item("Resolution of the calculation ", "Auflsung1", &TForm1::Auflsung1Click),
                 Item("Iterations", "Iterationen1", &TForm1::Iterationen1Click),
                 Item("Screen ", "Bildschirm1", &TForm1::Bildschirm1Click)}),
        Submenu("?", {Item("Info", "Info1", &TForm1::Info1Click)}),
    };
    return menu;
}
