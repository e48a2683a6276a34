// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "display/ColourMaps.h"
#include "display/Displays.h"
#include "display/Legend.h"
#include "measure/LightReadings.h"
#include "measure/LineReading.h"
#include "model/MeasuringLine.h"
#include "model/SceneList.h"
#include "model/Settings.h"
#include "platform/Platform.h"
#include "platform/RecoveryFile.h"
#include "platform/Window.h"
#include "ui/DisplayKind.h"
#include "ui/EditHistory.h"
#include "ui/MouseModes.h"
#include "ui/WorkEstimate.h"

namespace brevanto::files {
struct SceneFileContents;
}

namespace brevanto::ui {

struct ParameterSweep;

// The main window's logic: it owns the scene list, the settings, the three
// displays and the scene picture, answers the menu commands and the drawing
// area's mouse events, and hands the platform on to whatever shows a dialog.
// The window system's window forwards its events here.
class MainWindow : public platform::WindowEvents {
public:
    // Takes the largest drawing area the window grants, creates the settings,
    // the scene list and the picture, gives the window its menu and draws the
    // empty scene.
    MainWindow(platform::Platform& platform, platform::Window& window);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    model::SceneList& Scene() { return list; }
    const model::SceneList& Scene() const { return list; }
    model::Tprgvar& Settings() { return settings; }
    const model::Tprgvar& Settings() const { return settings; }
    display::Displays& DisplaySettings() { return displays; }
    const display::Displays& DisplaySettings() const { return displays; }
    // The colour maps' settings: the program's, not the scene file's.
    display::ColourMaps& MapSettings() { return maps; }
    platform::Bitmap& Picture() { return *picture; }
    platform::Window& Window() { return window; }
    platform::Platform& Platform() { return platform; }
    // The file the scene was last opened from or saved to; empty for none.
    const std::string& SceneFile() const { return sceneFile; }
    bool HasUnsavedChanges() const { return history.Unsaved(); }

    // The mouse mode; its keyword is the drawing mode, zeichenmodus.
    // Choosing one keeps what the picture shows and drops the selection.
    void ChooseMouseMode(std::unique_ptr<MouseMode> mode);
    const MouseMode& CurrentMouseMode() const { return *mouseMode; }

    // After a crash, a kill or a power cut: offers the scene that a program
    // left unsaved; true when the user took it. Call once the window shows.
    bool RestoreAbandonedScene();

    // "File"
    void NewScene();
    void OpenScene();
    // Opens this file as "Open" would after its dialog (the program's
    // command line, the recent files).
    void OpenSceneFile(const std::string& fileName);
    // One of "File"'s recent files: asks to save unsaved changes first.
    void OpenRecentFile(const std::string& fileName);
    void SaveScene();
    // "Save as Picture": a Windows bitmap, or a PNG picture when that type
    // is chosen or the name typed ends in ".png".
    void SavePicture();
    void ExportSvg();
    // The scene and the display it shows as vector graphics (SVG).
    void WriteSvg(const std::string& fileName);
    void Quit();
    // "Scenery Objects": an object of a kind placed from the menu (the sun),
    // its dialog opened at once; Cancel takes it away again.
    void AddObjectOfKind(const std::string& keyword);
    void EditBackground();
    // "Edit"
    void OpenObjectManager();
    void Undo();
    void Redo();
    bool CanUndo() const { return history.CanUndo(); }
    bool CanRedo() const { return history.CanRedo(); }
    void DeleteSelectedObject();
    // Every object that can be moved.
    void SelectAll();
    // The selected objects onto the desktop's clipboard as scene file text;
    // Cut removes them then.
    void CopySelection();
    void CutSelection();
    // The objects of the scene file text on the clipboard, added to the
    // scene and selected; each moves aside from an equal object already
    // there. Other text is left alone.
    void Paste();
    // Copies of the selected objects beside them, without the clipboard.
    void DuplicateSelection();
    // Whether a dragged point snaps onto the points of other objects (on
    // unless switched off; Alt held switches it off for a moment).
    void ToggleSnapping();
    bool SnappingOn() const { return snapping; }
    // "Graphical representation "
    void DrawArrows();
    void DrawStreamLines();
    void DrawCircles();
    void DrawDiffuseness();
    void DrawEnergyDensityMap();
    // A display command: computes the scene, redraws it and draws the
    // display (None: the objects alone).
    void ShowDisplay(DisplayKind display);
    // The display's work, for the estimate before it (SceneList::QueryWork units).
    double DisplayWork(DisplayKind display) const;
    // Whether the displays draw their legend (off unless switched on).
    void ToggleLegends();
    bool LegendsShown() const { return showLegends; }
    // Whether the arrows' lengths grow with the logarithm of the flow
    // density instead of in proportion (off unless switched on): a
    // program setting, not the scene file's.
    void ToggleLogarithmicArrows();
    bool ArrowsLogarithmic() const { return logarithmicArrows; }
    // Whether a shown display follows a drag of objects or handles (on
    // unless switched off): computed again while the mouse moves, coarser
    // where it must be to keep up (LiveCoarseness), and as chosen afresh at
    // the release. A drag of a scene too slow to follow shows the objects
    // alone, as without it.
    void ToggleLiveUpdate();
    bool LiveUpdateOn() const { return liveUpdate; }
    // The frames of the display that followed the drags, for the benchmark.
    int64_t LiveFramesShown() const { return liveFramesShown; }
    // "Delete"
    void ClearDisplays();
    void DeleteAllObjects();
    // "Parameters"
    void EditArrowSettings();
    void EditStreamLineSettings();
    void EditCircleSettings();
    void EditResolution();
    void EditIterations();
    void EditScreen();
    void EditDiffusenessSettings();
    void EditEnergyDensityMapSettings();
    // Computes the scene if needed and shows where its power goes.
    void ShowEnergyBalance();
    // The light meter's readings: a point typed in measured as a click
    // there would; the table onto the clipboard (tab-separated, for
    // spreadsheets) or into a CSV file; all readings gone.
    void MeasureAtTypedPoint();
    void CopyReadings();
    void ExportReadings();
    void ClearReadings();
    bool HasReadings() const { return !readings.Empty(); }
    // The measuring lines: drawn with Shift in the "Measure" mode, kept in
    // the scene file, each change one undo step. Their plots show in the
    // meter's panel; a change of the scene or of the lines puts them out of
    // date until MeasureAlongLines.
    const std::vector<model::MeasuringLine>& MeasuringLines() const { return measuringLines; }
    // Adds the line and gives its index.
    size_t AddMeasuringLine(model::MeasuringLine line);
    // The line at the index takes the place and shows there.
    void MoveMeasuringLine(size_t index, const model::MeasuringLine& moved);
    void RemoveMeasuringLine(size_t index);
    // The measuring line clicked last in the "Measure" mode, marked at its
    // ends: "Delete selected object" deletes it. Selecting objects drops it.
    void ChooseMeasuringLine(std::optional<size_t> index);
    std::optional<size_t> ChosenMeasuringLine() const { return chosenLine; }
    // Computes the scene if needed and measures along every line.
    void MeasureAlongLines();
    // Lists the lines to edit or delete them.
    void OpenMeasuringLineManager();
    // Every line's samples into a CSV file.
    void ExportLineReadings();
    bool HasLineReadings() const { return !lineReadings.empty(); }
    // "Parameters" > "Sweep": one number of the scene varied in steps, the
    // scene computed at each and the power crossing each measuring line and
    // absorbed by each absorber plotted against it. The scene is as before
    // afterwards.
    void SweepParameter();
    // Computes the scene at each of the sweep's values and tells `row` the
    // value, P+ and P- of each of the lines and the absorbed power of each
    // absorber in list order. Leaves the scene at the last value; throws
    // platform::Stopped when the user stops it.
    void RunSweep(const ParameterSweep& sweep, const std::vector<model::MeasuringLine>& lines,
                  const std::function<void(double, const std::vector<double>&)>& row);
    // The last sweep's rows into a CSV file.
    void ExportSweep();
    bool HasSweep() const { return !sweepRows.empty(); }
    // "?"
    void ShowInfo();
    void ShowHelp();
    // The verification scenes at the current resolution of the calculation.
    void ShowVerification();
    // How large the window shows the picture; the picture stays.
    void ZoomIn();
    void ZoomOut();
    void FitPicture();

    void MousePressed(platform::MouseButton button, bool leftHeld, int x, int y, platform::HeldKeys held = {}) override;
    void MouseMoved(bool leftHeld, int x, int y, platform::HeldKeys held = {}) override;
    void MouseReleased(platform::MouseButton button, int x, int y) override;
    void MouseDoubleClicked(platform::MouseButton button, int x, int y) override;
    // Moves the selected objects by a pixel, with Shift by ten.
    void ArrowKeyPressed(int dx, int dy, bool shift) override;
    // Asks to save unsaved changes first.
    bool CloseRequested() override;
    // While the picture has the whole drawing area (after New and at start)
    // and the scene is as it started (no file, nothing done that could be
    // undone, no object), the picture and the settings take the drawing
    // area's new size, as when the window manager maximises the window at
    // start; any other picture keeps its size, and the window shows it
    // scaled.
    void DrawingAreaResized() override;

    // After a command or a drag that may have changed the scene: a change
    // can be undone and counts as unsaved, and what was derived from the
    // scene before follows it (FollowSceneChanges).
    void NoteChanges();
    // Everything derived from the scene follows it: when the scene as the
    // computation sees it (the picture, the computation settings and the
    // objects) differs from the one the results belong to, berechnet is
    // cleared and the light meter's reading and a shown display go, so that
    // nothing shows the scene as it was. Runs after every command and mouse
    // action that may change the scene and before every computation.
    void FollowSceneChanges();

    // What every display needs first: a numbered scene without zero-size
    // objects, its radiation computed (skipped while it is up to date) and
    // its queries prepared. Returns the passes the computation ran; nothing
    // when the user chose not to start, asked because the computation and
    // the `displayWork` that follows it (SceneList::QueryWork units) would
    // take longer than kAskAboveSeconds, or because the iteration would not
    // stop before a huge number of passes.
    std::optional<int32_t> PrepareScene(double displayWork = 0);
    // The seconds that the computation still to do and `displayWork` are
    // estimated to take here: its passes and the speed of the queries
    // from a sample of the scene (SampleScene).
    double EstimatedSeconds(double displayWork) const;
    static constexpr double kAskAboveSeconds = 60;
    // Computes the scene if needed and traces one stream line from (x, y)
    // over whatever the picture already shows.
    void TraceSingleStreamLine(int x, int y);
    // Computes the scene if needed, shows what arrives at (x, y) in the
    // light meter's panel and adds it to the readings, measuring those
    // taken before a change of the scene again.
    void MeasureLightAt(int x, int y);
    // Opens the object's dialog; the radiation is to be computed again.
    // Cancel leaves the object as it was and gives false.
    bool EditObject(model::Tszeneobjekt& object);
    // Draws the scene anew, and the handles of the selected object.
    void RedrawAll();

    // The topmost object that may be moved within reach of (x, y); nullptr
    // for none.
    model::Tszeneobjekt* ObjectAt(int x, int y);
    // The selected objects still in the scene, in list order.
    std::vector<model::Tszeneobjekt*> SelectedObjects();
    bool IsSelected(const model::Tszeneobjekt* object) const;
    // Selects the object alone; nullptr selects nothing.
    void Select(model::Tszeneobjekt* object);
    // Shift+click: the object joins the selection, or leaves it.
    void ToggleSelected(model::Tszeneobjekt* object);
    // Adds every movable object whose handles all lie in the rectangle
    // (left, top, right, bottom).
    void SelectWithin(const std::array<int, 4>& rectangle);

    // The modifier keys held during the mouse event being answered.
    platform::HeldKeys Held() const { return held; }
    // Where a point of the `moving` objects dragged to (x, y) goes: with
    // Shift and an `anchor` (the other end of a straight object), turned
    // about it to a multiple of 15 degrees; else snapped onto another
    // object (SnapTarget) while snapping is on, the target marked on the
    // window until EndPlacing.
    model::Handle PlacePoint(const std::vector<const model::Tszeneobjekt*>& moving, int x, int y,
                             std::optional<model::Handle> anchor = std::nullopt);
    // The offset by which the `moving` objects go when the mouse moved them
    // by (dx, dy) from where their handles were `start`: snapped so that the
    // handle nearest to a target lands on it.
    model::Handle PlaceOffset(const std::vector<const model::Tszeneobjekt*>& moving,
                              const std::vector<model::Handle>& start, int dx, int dy);
    void EndPlacing();
    // The rectangle being dragged open to select objects (left, top, right,
    // bottom), shown on the window; nothing for none.
    void ShowSelectionRectangle(std::optional<std::array<int, 4>> rectangle);

private:
    // The text that tells whether the scene changed for the computation: the
    // scene file's text with the displays' parameters left at their defaults.
    std::string ComputedSceneText() const;
    // The sample of the scene and the stream lines' parameters as they are,
    // taken again when either changed.
    const SceneSample& Sample() const;
    // After the parameters of a display changed: shown again, if it is shown.
    void ShowAgainIfShown(DisplayKind display);
    // What a display is drawn from: the scene, the settings, the displays'
    // parameters, and the platform that shows its progress and messages.
    struct DisplaySource {
        const model::SceneList& list;
        const model::Tprgvar& settings;
        const display::Displays& displays;
        const display::ColourMaps& maps;
        platform::Platform& platform;
    };
    DisplaySource Source() { return {list, settings, displays, maps, platform}; }
    // Draws the display of `source`, and its legend when legends are on,
    // into `target`; stream lines show on `targetWindow` one by one.
    void DrawDisplay(DisplayKind display, const DisplaySource& source, platform::Bitmap& target,
                     platform::Canvas& targetWindow) const;
    // ShowDisplay without choosing a mouse mode: what a drag's release shows
    // when the display followed the drag.
    void ComputeAndShow(DisplayKind display);
    // "New": an empty scene, the settings and displays at their defaults, the
    // picture at the window's size.
    void StartAfresh();
    // The largest drawing area the window grants, in the system's grey.
    void TakeWholeDrawingArea();
    // No file, no object, nothing to undo: as New left the scene.
    bool IsUntouched() const;
    // Settings with their defaults for the window's drawing area and colour.
    model::Tprgvar DefaultSettings() const;
    // Makes what a scene file held the program's state, as far as it was
    // read, and tells the user what went wrong.
    void ApplyScene(files::SceneFileContents& contents, const std::string& fileName);
    // Makes what a scene file held the state; false when the window cannot
    // take its picture size (everything after the screen section then stays
    // at its defaults).
    bool AdoptScene(files::SceneFileContents& contents);
    // Goes back or forward to a state of the edit history.
    void RestoreState(const std::string& state);
    std::string StateText() const;
    // Asks "Save changes?" when there are unsaved changes; false when the
    // user cancels (or cancels the save), and nothing may be thrown away.
    bool MayDiscardChanges();
    // The save dialog and the write; false when nothing was saved.
    bool SaveSceneWithDialog();
    // The save dialog, starting with the name `suggested`, until the user
    // cancels it or agrees to write the file (the question before an
    // existing file is replaced leads back to the dialog). `nameWritten`
    // makes the name typed the one written, with its extension; the dialog
    // itself does not ask, as the name it knows is not always that one. The
    // scene's own file is saved again without a question.
    std::optional<platform::ChosenFile> ChooseFileToWrite(
        const std::string& filter, std::string suggested,
        const std::function<std::string(const platform::ChosenFile&)>& nameWritten);
    // The folder of the scene's file, where the file dialogs start; empty
    // for a new scene.
    std::string SceneFolder() const;
    // Asks where to write the text as a CSV file, and writes it there.
    void ExportCsv(const std::string& csv);
    // The scene's file with this extension instead, as a picture of it is
    // suggested to be named; empty for a new scene.
    std::string NameBesideScene(const std::string& extension) const;
    // Whether the user agrees to replace the file, which exists.
    bool MayReplace(const std::string& fileName);
    void RememberRecentFile(const std::string& fileName);
    // The status line, and the copy of the scene kept while it is unsaved:
    // both follow the edit history.
    void UpdateStatus();
    // A scene file of the settings and displays with only the selected objects.
    std::string SelectionAsSceneText() const;
    void PasteSceneText(const std::string& text);
    // Whether an object of the scene saves as this text.
    bool IsInScene(const std::string& savedText) const;
    void SetSelection(std::vector<model::Tszeneobjekt*> objects);
    // The picture on the window, and over it what ShowSelection shows.
    void RefreshWindow();
    // The objects' window marks (the suns), the selected objects' handles,
    // the readings' points, the measuring lines, the snap target and the
    // selection rectangle over the picture on the window.
    void ShowSelection();
    void DrawMeasuringLines(platform::Canvas& canvas) const;
    // The measuring lines' and the sweep's plots in the meter's panel.
    void ShowPlots();
    // The line readings go out of date when the scene or the lines changed.
    void FollowLineChanges(bool sceneChanged);
    // The display that follows the drag (MainWindowLive.cpp). At a press: the
    // shown display follows the drag about to start, if it can keep up.
    void BeginLiveDrag();
    // After a drag step that took the display off: frames for the newest
    // position until no newer one waits. Mouse events that arrive while a
    // frame computes only leave their position here (pendingMove,
    // pendingRelease), so nothing recurses and the newest position wins.
    void FollowDragLive();
    // One frame of the scene as it is now, on a copy at the drag's
    // coarseness, shown on the window when it is done (unless a newer
    // position made it give up).
    void DrawLiveFrame();
    // Asked during a frame: lets the window system's events through and
    // tells whether the frame is to be given up for a newer position.
    bool LiveFrameOutdated();
    // At the release: the display as chosen afresh, if it followed the drag.
    void EndLiveDrag();
    // The caption tells where the mouse is.
    void ShowMousePosition(int x, int y);

    platform::Platform& platform;
    platform::Window& window;
    std::unique_ptr<platform::Bitmap> picture;
    model::Tprgvar settings;
    display::Displays displays;
    display::ColourMaps maps;
    model::SceneList list;
    std::unique_ptr<MouseMode> mouseMode;
    EditHistory history;
    platform::RecoveryFile recovery;
    std::string sceneFile;
    // The scene that berechnet, the meter's reading and the shown display
    // belong to (ComputedSceneText).
    std::string resultsScene;
    // The passes of the last computation when it stopped at its limit while
    // the radiation still changed; nothing when it converged.
    std::optional<int32_t> notConvergedPasses;
    // The last sample, and the scene file text with the stream lines'
    // section that it was taken of.
    mutable std::optional<std::pair<std::string, SceneSample>> sample;
    std::vector<model::Tszeneobjekt*> selection;
    platform::HeldKeys held;
    bool snapping = true;
    std::optional<model::Handle> snapMarker;
    std::optional<std::array<int, 4>> selectionRectangle;
    // The light meter's readings, marked on the window with their numbers.
    measure::LightReadings readings;
    std::vector<model::MeasuringLine> measuringLines;
    // What was measured along each line, for the lines as they were then
    // (measuredLines); empty while out of date.
    std::vector<measure::LineReading> lineReadings;
    std::vector<model::MeasuringLine> measuredLines;
    std::vector<model::MeasuringLine> plottedLines;  // the lines as the plots show them
    std::optional<size_t> chosenLine;
    // The last sweep: what was varied, the columns' names and a row per value.
    std::string sweepTitle;
    std::vector<std::string> sweepColumns;
    std::vector<std::vector<double>> sweepRows;
    // What the picture shows beside the scene: the last display, and the
    // single stream lines clicked since, until the next redraw.
    DisplayKind shownDisplay = DisplayKind::None;
    std::vector<std::pair<int, int>> singleStreamLines;
    bool showLegends = false;
    // Where the last legend drawn on a picture with pixels went, for the
    // vector picture drawn after it; kept by the drawing, which is const.
    mutable display::Corner legendCorner = display::Corner::LowerRight;
    bool logarithmicArrows = false;
    bool liveUpdate = true;
    // The display following the drag under way (None for none), and its
    // coarseness; 0 once a frame failed, then only the release shows it.
    DisplayKind liveDisplay = DisplayKind::None;
    int32_t liveCoarseness = 0;
    bool liveFrameRunning = false;
    struct PendingMove {
        int x;
        int y;
        platform::HeldKeys held;
    };
    std::optional<PendingMove> pendingMove;
    std::optional<std::pair<int, int>> pendingRelease;
    // The last frame, shown on the window instead of the picture while the
    // drag goes on (liveFrameShown), and the scene text it shows.
    std::unique_ptr<platform::Bitmap> liveFrame;
    bool liveFrameShown = false;
    std::string liveFrameScene;
    std::chrono::steady_clock::time_point liveFrameTime{};  // when it was shown
    std::chrono::steady_clock::duration liveFrameTaken{};   // how long it took
    std::chrono::steady_clock::time_point liveEventsTime{};
    int64_t liveFramesShown = 0;
    // Set by New and at start, cleared by a size from a file or the screen
    // dialog (DrawingAreaResized).
    bool pictureFollowsArea = true;
};

}  // namespace brevanto::ui
