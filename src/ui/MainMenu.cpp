// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainMenu.h"

#include "objects/KindRegistry.h"
#include "platform/Errors.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace objects;

namespace {

using platform::MenuItem;
using platform::StandardKey;

class MenuBuilder {
public:
    explicit MenuBuilder(MainWindow& target) : window(target) {}

    // A command that may change the scene: what it changed can be undone.
    MenuItem Edit(std::string caption, std::string name, const std::function<void(MainWindow&)>& command,
                  StandardKey key = StandardKey::None) const {
        MainWindow& bound = window;
        MenuItem item = Item(std::move(caption), std::move(name), command, key);
        item.action = [&bound, command] {
            platform::ReportingErrors(bound.Platform(), [&] { command(bound); });
            bound.NoteChanges();
        };
        return item;
    }

    MenuItem Item(std::string caption, std::string name, const std::function<void(MainWindow&)>& command,
                  StandardKey key = StandardKey::None) const {
        MainWindow& bound = window;
        MenuItem item{std::move(caption),
                      std::move(name),
                      [&bound, command] { platform::ReportingErrors(bound.Platform(), [&] { command(bound); }); },
                      {}};
        item.key = key;
        return item;
    }

    // An item that chooses what the mouse does, checked while it does.
    template <class ModeKind, class... Arguments>
    MenuItem Mode(std::string caption, std::string name, Arguments... arguments) const {
        MainWindow& bound = window;
        const std::string keyword = ModeKind(arguments...).Keyword();
        MenuItem item{std::move(caption),
                      std::move(name),
                      [&bound, arguments...] { bound.ChooseMouseMode(std::make_unique<ModeKind>(arguments...)); },
                      {}};
        item.checked = [&bound, keyword] { return bound.CurrentMouseMode().Keyword() == keyword; };
        return item;
    }

    // The items that draw the kinds placed this way, in the registry's order.
    std::vector<MenuItem> DrawingModes(Placement placement) const {
        std::vector<MenuItem> items;
        for (const KindEntry& kind : Kinds())
            if (kind.placement == placement)
                items.push_back(Mode<DrawObjectMode>(kind.menuCaption, kind.menuName, std::string(kind.keyword)));
        return items;
    }

    // The items that add the kinds placed from the menu, in the registry's
    // order.
    std::vector<MenuItem> AddedFromMenu() const {
        std::vector<MenuItem> items;
        for (const KindEntry& kind : Kinds())
            if (kind.placement == Placement::FromMenu)
                items.push_back(Edit(kind.menuCaption, kind.menuName, [keyword = kind.keyword](MainWindow& target) {
                    target.AddObjectOfKind(keyword);
                }));
        return items;
    }

    // The files last opened or saved, newest first.
    std::vector<MenuItem> RecentFiles() const {
        std::vector<MenuItem> items;
        MainWindow& bound = window;
        for (const std::string& file : window.Platform().RecentFiles())
            items.push_back(
                {file,
                 "RecentFile" + std::to_string(items.size() + 1),
                 [&bound, file] { platform::ReportingErrors(bound.Platform(), [&] { bound.OpenRecentFile(file); }); },
                 {}});
        return items;
    }

private:
    MainWindow& window;
};

MenuItem Submenu(std::string caption, std::vector<MenuItem> children) {
    return {std::move(caption), "", nullptr, std::move(children)};
}

}  // namespace

// The program's own items beside the designer's (Save As, the recent files,
// Select, Undo, Redo, Delete, Help, the measuring items) follow the items of
// their menu that they belong with. The colour maps' settings are not part of
// the scene, so their dialogs are no undo steps.
std::vector<MenuItem> MainMenu(MainWindow& window) {
    const MenuBuilder m(window);
    std::vector<MenuItem> file{m.Item("New", "Neu1", &MainWindow::NewScene, StandardKey::New),
                               m.Item("Open", "Load1", &MainWindow::OpenScene, StandardKey::Open),
                               m.Item("Save", "Save1", &MainWindow::SaveScene, StandardKey::Save),
                               m.Item("Save As", "SaveAs1", &MainWindow::SaveScene, StandardKey::SaveAs),
                               m.Item("Save as Picture", "Speichern1", &MainWindow::SavePicture),
                               m.Item("Export as SVG", "SvgExport1", &MainWindow::ExportSvg)};
    if (std::vector<MenuItem> recent = m.RecentFiles(); !recent.empty())
        file.push_back(Submenu("Recent files", std::move(recent)));
    file.push_back(m.Item("Quit", "Beenden1", &MainWindow::Quit, StandardKey::Quit));
    MenuItem select = m.Mode<SelectMode>("Select", "Auswahl1");
    MenuItem legends = m.Item("Legends", "Legenden1", &MainWindow::ToggleLegends);
    legends.checked = [&window] { return window.LegendsShown(); };
    MenuItem logarithmicArrows = m.Item("Logarithmic Arrows", "LogPfeile1", &MainWindow::ToggleLogarithmicArrows);
    logarithmicArrows.checked = [&window] { return window.ArrowsLogarithmic(); };
    MenuItem liveUpdate = m.Item("Live update", "Mitfuehren1", &MainWindow::ToggleLiveUpdate);
    liveUpdate.checked = [&window] { return window.LiveUpdateOn(); };
    select.shortcut = "Esc";
    MenuItem measure = m.Mode<MeasureMode>("Measure", "Lichtmesser1");
    measure.shortcut = "M";
    MenuItem undo = m.Item("Undo", "Rueckgaengig1", &MainWindow::Undo, StandardKey::Undo);
    undo.enabled = [&window] { return window.CanUndo(); };
    MenuItem redo = m.Item("Redo", "Wiederholen1", &MainWindow::Redo, StandardKey::Redo);
    redo.enabled = [&window] { return window.CanRedo(); };
    MenuItem deleteSelected =
        m.Edit("Delete selected object", "Entfernen1", &MainWindow::DeleteSelectedObject, StandardKey::Delete);
    const std::function<bool()> hasSelection = [&window] { return !window.SelectedObjects().empty(); };
    deleteSelected.enabled = [&window] {
        return !window.SelectedObjects().empty() || window.ChosenMeasuringLine().has_value();
    };
    MenuItem cut = m.Edit("Cut", "Ausschneiden1", &MainWindow::CutSelection, StandardKey::Cut);
    MenuItem copy = m.Item("Copy", "Kopieren1", &MainWindow::CopySelection, StandardKey::Copy);
    MenuItem paste = m.Edit("Paste", "Einfuegen1", &MainWindow::Paste, StandardKey::Paste);
    MenuItem duplicate = m.Edit("Duplicate", "Duplizieren1", &MainWindow::DuplicateSelection);
    duplicate.shortcut = "Ctrl+D";
    cut.enabled = copy.enabled = duplicate.enabled = hasSelection;
    MenuItem zoomIn = m.Item("Zoom In", "Vergroessern1", &MainWindow::ZoomIn, StandardKey::ZoomIn);
    MenuItem zoomOut = m.Item("Zoom Out", "Verkleinern1", &MainWindow::ZoomOut, StandardKey::ZoomOut);
    MenuItem fit = m.Item("Fit Picture", "Einpassen1", &MainWindow::FitPicture);
    fit.shortcut = "Ctrl+0";
    MenuItem copyReadings = m.Item("Copy Readings", "MesswerteKopieren1", &MainWindow::CopyReadings);
    MenuItem exportReadings = m.Item("Export Readings as CSV", "MesswerteExportieren1", &MainWindow::ExportReadings);
    MenuItem clearReadings = m.Item("Clear Readings", "MesswerteLoeschen1", &MainWindow::ClearReadings);
    copyReadings.enabled = exportReadings.enabled = clearReadings.enabled = [&window] { return window.HasReadings(); };
    MenuItem exportLines =
        m.Item("Export Line Readings as CSV", "MesslinienExportieren1", &MainWindow::ExportLineReadings);
    exportLines.enabled = [&window] { return window.HasLineReadings(); };
    MenuItem measureLines = m.Item("Measure Along Lines", "EntlangMessen1", &MainWindow::MeasureAlongLines);
    measureLines.enabled = [&window] { return !window.MeasuringLines().empty(); };
    MenuItem exportSweep = m.Item("Export Sweep as CSV", "SweepExportieren1", &MainWindow::ExportSweep);
    exportSweep.enabled = [&window] { return window.HasSweep(); };
    MenuItem selectAll = m.Item("Select All", "AllesAuswaehlen1", &MainWindow::SelectAll);
    selectAll.shortcut = "Ctrl+A";
    MenuItem snapping = m.Item("Snap to Objects", "Einrasten1", &MainWindow::ToggleSnapping);
    snapping.checked = [&window] { return window.SnappingOn(); };
    std::vector<MenuItem> sceneryObjects{Submenu("Straight objects ", m.DrawingModes(Placement::Straight)),
                                         Submenu("Circular objects ", m.DrawingModes(Placement::Circular))};
    for (MenuItem& added : m.AddedFromMenu()) sceneryObjects.push_back(std::move(added));
    sceneryObjects.push_back(m.Edit("Background Radiation", "Hintergrundstrahlung1", &MainWindow::EditBackground));
    return {
        Submenu("File", std::move(file)),
        Submenu("Scenery Objects", std::move(sceneryObjects)),
        Submenu("Edit", {m.Edit("Object Manager", "Objektmanager1", &MainWindow::OpenObjectManager), select, undo, redo,
                         cut, copy, paste, duplicate, deleteSelected, selectAll, snapping}),
        Submenu(
            "Graphical representation ",
            {Submenu("Energy flow density", {m.Item("Arrows", "Vektorpfeile1", &MainWindow::DrawArrows),
                                             m.Item("Stream-lines", "Stromlinien1", &MainWindow::DrawStreamLines),
                                             m.Mode<SingleStreamLineMode>("Single stream-line", "EineStromlinie1")}),
             Submenu("Energy density",
                     {m.Item("Circles", "Kreise1", &MainWindow::DrawCircles),
                      m.Item("Diffuseness", "Diffusitaet1", &MainWindow::DrawDiffuseness),
                      m.Item("Energy density map", "Energiedichtekarte1", &MainWindow::DrawEnergyDensityMap)}),
             legends, logarithmicArrows, liveUpdate, measure,
             Submenu("Readings", {m.Item("Measure at Point", "MessenAnPunkt1", &MainWindow::MeasureAtTypedPoint),
                                  copyReadings, exportReadings, clearReadings,
                                  m.Edit("Measuring Lines", "Messlinien1", &MainWindow::OpenMeasuringLineManager),
                                  measureLines, exportLines}),
             Submenu("View", {zoomIn, zoomOut, fit})}),
        Submenu("Delete", {m.Item("Graphical representation", "Darstellungsformen1", &MainWindow::ClearDisplays),
                           m.Edit("All objects in the scene", "SzeneObjekte2", &MainWindow::DeleteAllObjects)}),
        Submenu("&Parameters",
                {m.Edit("Arrows of energy flow density", "Vektorpfeile2", &MainWindow::EditArrowSettings),
                 m.Edit("Stream-lines ", "Energieflussfeldlinien1", &MainWindow::EditStreamLineSettings),
                 m.Edit("Circles of energy density ", "Energiekreise1", &MainWindow::EditCircleSettings),
                 m.Edit("Resolution of the calculation ", "Auflsung1", &MainWindow::EditResolution),
                 m.Edit("Iterations", "Iterationen1", &MainWindow::EditIterations),
                 m.Edit("Screen ", "Bildschirm1", &MainWindow::EditScreen),
                 m.Item("Diffuseness map", "Diffusitaet2", &MainWindow::EditDiffusenessSettings),
                 m.Item("Energy density map", "Energiedichtekarte2", &MainWindow::EditEnergyDensityMapSettings),
                 m.Item("Energy balance", "Energiebilanz1", &MainWindow::ShowEnergyBalance),
                 m.Item("Sweep", "Sweep1", &MainWindow::SweepParameter), exportSweep}),
        Submenu("?", {m.Item("Info", "Info1", &MainWindow::ShowInfo),
                      m.Item("Help", "Hilfe1", &MainWindow::ShowHelp, StandardKey::Help),
                      m.Item("Verification", "Verifikation1", &MainWindow::ShowVerification)}),
    };
}

}  // namespace brevanto::ui
