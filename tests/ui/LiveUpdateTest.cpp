// SPDX-License-Identifier: GPL-3.0-or-later
// The display that follows a drag of objects and handles.
#include <array>

#include "SceneFileFixture.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "ui/LiveQuality.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;
using namespace brevanto::ui;

namespace {

using brevanto::platform::MouseButton;

// A parallel emitter shining down onto a diffusing mirror, on a 1024 x 768
// window; the mirror is selected.
class LiveUpdateTest : public SceneFileTest {
protected:
    LiveUpdateTest() {
        auto emitter = std::make_unique<TObjektParallel>(300, 100, 700, 100);
        emitter->staerke = 3;
        form.Scene().Append(std::move(emitter));
        auto mirror = std::make_unique<TObjektSpiegel>(350, 400, 650, 400);
        mirror->difref = 60;
        form.Scene().Append(std::move(mirror));
        form.DisplaySettings().vektorpfeile.colour = kDisplayColour;
        form.DisplaySettings().linien.colour = kDisplayColour;
        form.DisplaySettings().energiekreise.colour = kDisplayColour;
        form.NoteChanges();
    }

    void Click(int x, int y) {
        form.MousePressed(MouseButton::Left, true, x, y);
        form.MouseReleased(MouseButton::Left, x, y);
    }
    std::array<int32_t, 4> MirrorEnds() const {
        const auto& mirror = dynamic_cast<const TObjektSpiegel&>(form.Scene()[2]);
        return {mirror.x1, mirror.y1, mirror.x2, mirror.y2};
    }
    int WindowPixelsOf(platform::TColor colour) const {
        int count = 0;
        for (int y = 0; y < window.Surface().Height(); ++y)
            for (int x = 0; x < window.Surface().Width(); ++x) count += window.Surface().Pixel(x, y) == colour;
        return count;
    }
    // The picture of the scene as it is now, saved, opened in a window of
    // its own and the display chosen there.
    std::vector<uint8_t> ChosenAfresh(DisplayKind display) {
        Save("now");
        platform::HeadlessPlatform otherPlatform;
        platform::HeadlessWindow otherWindow(1024, 768);
        MainWindow other(otherPlatform, otherWindow);
        other.OpenSceneFile(PathOf("now.brv"));
        other.ShowDisplay(display);
        return dynamic_cast<const platform::RasterBitmap&>(other.Picture()).BmpBytes();
    }

    static constexpr platform::TColor kDisplayColour = 0x0000FF;
};

TEST_F(LiveUpdateTest, DisplayFollowsTheDragAskingNothingAndTheReleaseShowsItAsChosenAfresh) {
    for (const DisplayKind display : {DisplayKind::Arrows, DisplayKind::StreamLines, DisplayKind::Circles,
                                      DisplayKind::Diffuseness, DisplayKind::EnergyDensityMap}) {
        SCOPED_TRACE(static_cast<int>(display));
        form.ShowDisplay(display);
        Click(500, 400);
        const int64_t framesBefore = form.LiveFramesShown();
        const int progressBefore = headless.progressShown;
        const std::array<int32_t, 4> before = MirrorEnds();
        form.MousePressed(MouseButton::Left, true, 500, 400);
        form.MouseMoved(true, 520, 380);
        EXPECT_EQ(form.LiveFramesShown(), framesBefore + 1);
        if (display != DisplayKind::Diffuseness && display != DisplayKind::EnergyDensityMap) {
            EXPECT_GT(WindowPixelsOf(kDisplayColour), 0) << "the frame on the window, not the objects alone";
        }
        form.MouseMoved(true, 540, 350);
        EXPECT_EQ(form.LiveFramesShown(), framesBefore + 2);
        EXPECT_EQ(headless.progressShown, progressBefore) << "no progress window while the mouse moves";
        form.MouseReleased(MouseButton::Left, 540, 350);
        EXPECT_TRUE(headless.questions.empty());
        EXPECT_TRUE(headless.messages.empty());
        EXPECT_EQ(MirrorEnds(), (std::array{390, 350, 690, 350}));
        EXPECT_EQ(Picture().BmpBytes(), ChosenAfresh(display));
        EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[2]}) << "still selected";

        form.Undo();
        EXPECT_EQ(MirrorEnds(), before) << "the whole drag is one step";
        form.Redo();
        form.Undo();
    }
}

TEST_F(LiveUpdateTest, MovesDuringAFrameLeaveOnlyTheNewestPositionAndAReleaseEndsTheDrag) {
    form.ShowDisplay(DisplayKind::Arrows);
    Click(500, 400);
    // The events that come in while the frames compute, a batch in each
    // frame (for each position of the mirror).
    const std::vector<std::function<void()>> arriving{[&] { form.MouseMoved(true, 510, 390); },
                                                      [&] {
                                                          form.MouseMoved(true, 515, 385);
                                                          form.MouseMoved(true, 530, 370);  // the newest
                                                      },
                                                      [&] {
                                                          form.MouseMoved(true, 560, 340);
                                                          form.MouseReleased(MouseButton::Left, 560, 340);
                                                      }};
    size_t batch = 0;
    int depth = 0, deepest = 0;
    std::array<int32_t, 4> framed{};
    headless.onEvents = [&] {
        deepest = std::max(deepest, ++depth);
        if (batch < arriving.size() && MirrorEnds() != framed) {
            framed = MirrorEnds();
            arriving[batch++]();
        }
        --depth;
    };
    const int64_t framesBefore = form.LiveFramesShown();
    form.MousePressed(MouseButton::Left, true, 500, 400);
    form.MouseMoved(true, 505, 395);
    headless.onEvents = nullptr;
    EXPECT_EQ(batch, arriving.size());
    EXPECT_EQ(deepest, 1) << "the moves arriving during a frame start none of their own";
    // The first frame is finished, as the window showed none yet; the one
    // for (530, 370) gives way to the release. The one for (510, 390) gives
    // way to (530, 370) while the first is younger than half its time,
    // which a slow build (the sanitizers') may not be: one or two frames,
    // never one for each position.
    EXPECT_GE(form.LiveFramesShown(), framesBefore + 1);
    EXPECT_LE(form.LiveFramesShown(), framesBefore + 2);
    EXPECT_EQ(MirrorEnds(), (std::array{410, 340, 710, 340})) << "the last move before the release";
    EXPECT_EQ(Picture().BmpBytes(), ChosenAfresh(DisplayKind::Arrows));
    form.Undo();
    EXPECT_EQ(MirrorEnds(), (std::array{350, 400, 650, 400}));
}

TEST_F(LiveUpdateTest, WithoutLiveUpdateTheDragTakesTheDisplayOffAsAlways) {
    window.Choose("Mitfuehren1");
    EXPECT_FALSE(form.LiveUpdateOn());
    form.ShowDisplay(DisplayKind::Arrows);
    Click(500, 400);
    form.MousePressed(MouseButton::Left, true, 500, 400);
    form.MouseMoved(true, 520, 380);
    EXPECT_EQ(WindowPixelsOf(kDisplayColour), 0);
    form.MouseReleased(MouseButton::Left, 520, 380);
    EXPECT_EQ(WindowPixelsOf(kDisplayColour), 0);
    EXPECT_FALSE(form.Settings().berechnet);
    EXPECT_EQ(form.LiveFramesShown(), 0);
    window.Choose("Mitfuehren1");
    EXPECT_TRUE(form.LiveUpdateOn());
}

TEST(LiveQualityTest, CoarserAsTheWorkGrowsAndNoneBeyondReach) {
    EXPECT_EQ(LiveCoarseness(0.01, 5, 0.03), 1) << "quick enough as it is";
    int32_t last = 1;
    for (const double seconds : {0.1, 0.2, 0.5, 1.0, 2.0, 3.0}) {
        const int32_t coarseness = LiveCoarseness(seconds / 4, 5, seconds);
        EXPECT_GE(coarseness, last) << seconds;
        last = coarseness;
    }
    EXPECT_EQ(last, kCoarsestLive) << "within the slowest frame only at the coarsest";
    EXPECT_LT(LiveCoarseness(3, 50, 0.5), LiveCoarseness(3, 5, 0.5)) << "fewer passes help";
    EXPECT_EQ(LiveCoarseness(5, 5, 15), 0);

    Tprgvar settings(600, 800, 0);
    Displays displays;
    ColourMaps maps;
    Coarsen(3, settings, displays, maps);
    EXPECT_EQ(settings.sellaenge, 15);
    EXPECT_EQ(settings.richtungprosel, 34);
    EXPECT_EQ(settings.maximaleiterationen, kLivePasses);
    EXPECT_EQ(displays.vektorpfeile.gitterweite, 60);
    EXPECT_EQ(displays.linien.linienabstand, 60);
    EXPECT_EQ(maps.energyDensity.gitterweite, 12);
    EXPECT_FALSE(maps.energyDensity.everyPixelWhereCoarse);
}

}  // namespace
