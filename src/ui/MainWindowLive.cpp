// SPDX-License-Identifier: GPL-3.0-or-later
// The display that follows a drag: frames computed on a copy of the scene
// while the mouse moves, the display as chosen afresh at the release.
#include <utility>

#include "files/SceneFile.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/Calculation.h"
#include "ui/LiveQuality.h"
#include "ui/MainWindow.h"

namespace brevanto::ui {

using namespace model;
using namespace radiation;
using namespace display;
using namespace files;

namespace {

using Clock = std::chrono::steady_clock;

// How often a frame lets the window system's events through: a move that
// arrives waits no longer for its turn.
constexpr auto kLiveEventInterval = std::chrono::milliseconds(10);

}  // namespace

void MainWindow::ToggleLiveUpdate() { liveUpdate = !liveUpdate; }

// The sample of the scene as the display was shown is kept (Sample), so
// the choice costs nothing at a press, and nothing is sampled during the
// drag.
void MainWindow::BeginLiveDrag() {
    liveDisplay = DisplayKind::None;
    liveFrameShown = false;
    liveFrameScene.clear();
    if (!liveUpdate || shownDisplay == DisplayKind::None || !mouseMode->MovesObjects()) return;
    const SceneSample& sampled = Sample();
    Tprgvar fromScratch = settings;
    fromScratch.berechnet = false;
    liveCoarseness = LiveCoarseness(sampled.CalculationSeconds(list, fromScratch), sampled.passes,
                                    sampled.QuerySeconds(DisplayWork(shownDisplay)));
    if (liveCoarseness > 0) liveDisplay = shownDisplay;
}

void MainWindow::FollowDragLive() {
    // The display is still shown: the drag has not moved anything yet.
    if (liveDisplay == DisplayKind::None || liveCoarseness == 0 || shownDisplay != DisplayKind::None) return;
    liveFrameRunning = true;
    try {
        for (;;) {
            DrawLiveFrame();
            if (!pendingMove) break;
            const PendingMove move = *std::exchange(pendingMove, std::nullopt);
            held = move.held;
            mouseMode->Drag(*this, move.x, move.y);
            ShowMousePosition(move.x, move.y);
            // The release computes the display as chosen afresh.
            if (pendingRelease || liveCoarseness == 0) break;
        }
    } catch (...) {
        liveFrameRunning = false;
        throw;
    }
    liveFrameRunning = false;
}

void MainWindow::DrawLiveFrame() {
    const std::string scene = StateText();
    if (liveFrameShown && scene == liveFrameScene) return;
    const Clock::time_point begun = Clock::now();
    // Asks nothing and shows no progress window: a frame that cannot be
    // drawn is left out, and the release shows why.
    platform::HeadlessPlatform unseen;
    unseen.cancelWhen = [this] { return LiveFrameOutdated(); };
    platform::HeadlessWindow unseenWindow(1, 1);
    if (!liveFrame) liveFrame = platform.CreateBitmap(0, 0);
    // Its first check lets the events through, however short the frame.
    liveEventsTime = {};
    try {
        platform::TextFile file = platform::TextFile::FromText(scene);
        SceneFileContents copy = ReadSceneFile(file, displays);
        Tprgvar coarse = settings;
        coarse.berechnet = false;
        ColourMaps coarseMaps = maps;
        Coarsen(liveCoarseness, coarse, copy.displays, coarseMaps);
        copy.list.CleanAndNumber();
        Calculate(copy.list, coarse, unseenWindow, unseen.Progress());
        copy.list.PrepareQueries(coarse);
        liveFrame->SetSize(picture->Width(), picture->Height());
        copy.list.RedrawAll(*liveFrame, unseenWindow.GetCanvas(), coarse.hintergrundfarbe);
        DrawDisplay(liveDisplay, {copy.list, coarse, copy.displays, coarseMaps, unseen}, *liveFrame,
                    unseenWindow.GetCanvas());
    } catch (const platform::Stopped&) {
        return;
    } catch (const std::exception&) {
        liveCoarseness = 0;
        return;
    }
    liveFrameShown = true;
    liveFrameScene = scene;
    liveFrameTime = Clock::now();
    liveFrameTaken = liveFrameTime - begun;
    ++liveFramesShown;
    RefreshWindow();
}

bool MainWindow::LiveFrameOutdated() {
    const Clock::time_point now = Clock::now();
    if (now - liveEventsTime >= kLiveEventInterval) {
        liveEventsTime = now;
        platform.LetEventsThrough();
    }
    // A newer position gives up the frame under way while the window's
    // frame is younger than half a frame's time; after that the frame is
    // finished first, so that frames keep coming (one every one and a half
    // frame times at the least) while the mouse never rests.
    return pendingRelease || (pendingMove && Clock::now() - liveFrameTime < liveFrameTaken / 2);
}

void MainWindow::EndLiveDrag() {
    const DisplayKind followed = std::exchange(liveDisplay, DisplayKind::None);
    liveFrameShown = false;
    liveFrameScene.clear();
    pendingMove.reset();
    if (followed == DisplayKind::None) return;
    if (shownDisplay == DisplayKind::None)
        ComputeAndShow(followed);
    else
        RefreshWindow();
}

}  // namespace brevanto::ui
