#include "ui/MainMenu.h"

#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/MainWindow.h"

namespace {

using platform::MenuItem;

class MenuBuilder {
public:
    explicit MenuBuilder(MainWindow& target) : window(target) {}

    MenuItem Item(std::string caption, std::string name, void (MainWindow::*command)()) const {
        MainWindow& bound = window;
        return {std::move(caption),
                std::move(name),
                [&bound, command] { platform::ReportingErrors(bound.Platform(), [&] { (bound.*command)(); }); },
                {}};
    }

    // An item that chooses what the mouse does.
    template <class ModeKind, class... Arguments>
    MenuItem Mode(std::string caption, std::string name, Arguments... arguments) const {
        MainWindow& bound = window;
        return {std::move(caption),
                std::move(name),
                [&bound, arguments...] { bound.ChooseMouseMode(std::make_unique<ModeKind>(arguments...)); },
                {}};
    }

    // The items that draw the kinds placed this way, in the registry's order.
    std::vector<MenuItem> DrawingModes(Placement placement) const {
        std::vector<MenuItem> items;
        for (const KindEntry& kind : Kinds())
            if (kind.placement == placement)
                items.push_back(Mode<DrawObjectMode>(kind.menuCaption, kind.menuName, std::string(kind.keyword)));
        return items;
    }

private:
    MainWindow& window;
};

MenuItem Submenu(std::string caption, std::vector<MenuItem> children) {
    return {std::move(caption), "", nullptr, std::move(children)};
}

}  // namespace

std::vector<MenuItem> MainMenu(MainWindow& window) {
    const MenuBuilder m(window);
    return {
        Submenu("File", {m.Item("New", "Neu1", &MainWindow::NewScene), m.Item("Open", "Load1", &MainWindow::OpenScene),
                         m.Item("Save", "Save1", &MainWindow::SaveScene),
                         m.Item("Save as Picture", "Speichern1", &MainWindow::SavePicture),
                         m.Item("Quit", "Beenden1", &MainWindow::Quit)}),
        Submenu("Scenery Objects",
                {Submenu("Straight objects ", m.DrawingModes(Placement::Straight)),
                 Submenu("Circular objects ", m.DrawingModes(Placement::Circular)),
                 m.Item(FindKind("sonne")->menuCaption, FindKind("sonne")->menuName, &MainWindow::AddSun),
                 m.Item("Background Radiation", "Hintergrundstrahlung1", &MainWindow::EditBackground)}),
        Submenu("Edit", {m.Item("Object Manager", "Objektmanager1", &MainWindow::OpenObjectManager)}),
        Submenu(
            "Graphical representation ",
            {Submenu("Energy flow density", {m.Item("Arrows", "Vektorpfeile1", &MainWindow::DrawArrows),
                                             m.Item("Stream-lines", "Stromlinien1", &MainWindow::DrawStreamLines),
                                             m.Mode<SingleStreamLineMode>("Single stream-line", "EineStromlinie1")}),
             Submenu("Energy density", {m.Item("Circles", "Kreise1", &MainWindow::DrawCircles)})}),
        Submenu("Delete", {m.Item("Graphical representation", "Darstellungsformen1", &MainWindow::ClearDisplays),
                           m.Item("All objects in the scene", "SzeneObjekte2", &MainWindow::DeleteAllObjects)}),
        Submenu("&Parameters",
                {m.Item("Arrows of energy flow density", "Vektorpfeile2", &MainWindow::EditArrowSettings),
                 m.Item("Stream-lines ", "Energieflussfeldlinien1", &MainWindow::EditStreamLineSettings),
                 m.Item("Circles of energy density ", "Energiekreise1", &MainWindow::EditCircleSettings),
                 m.Item("Resolution of the calculation ", "Auflsung1", &MainWindow::EditResolution),
                 m.Item("Iterations", "Iterationen1", &MainWindow::EditIterations),
                 m.Item("Screen ", "Bildschirm1", &MainWindow::EditScreen)}),
        Submenu("?", {m.Item("Info", "Info1", &MainWindow::ShowInfo)}),
    };
}
