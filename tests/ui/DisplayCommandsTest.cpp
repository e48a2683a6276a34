// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's display commands.
#include <chrono>

#include "MainWindowFixture.h"
#include "model/ParallelFor.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::ui;

namespace {

// The main window's display commands on a headless 400 x 300 window, with one
// emitter of parallel light across the middle.
class DisplayCommandsTest : public MainWindowTestOn<400, 300> {
protected:
    DisplayCommandsTest() {
        auto emitter = std::make_unique<TObjektParallel>(100, 150, 300, 150);
        emitter->staerke = 3;
        form.Scene().Append(std::move(emitter));
    }

    std::vector<uint8_t> WindowPixels() const { return window.Surface().BmpBytes(); }
    // Pixels of the colour on the window.
    int Count(platform::TColor colour) const {
        int count = 0;
        for (int y = 0; y < window.Surface().Height(); ++y)
            for (int x = 0; x < window.Surface().Width(); ++x) count += window.Surface().Pixel(x, y) == colour;
        return count;
    }
};

TEST_F(DisplayCommandsTest, DisplayDrawsAfterComputingOverAFreshRedraw) {
    form.ChooseMouseMode(std::make_unique<SingleStreamLineMode>());
    form.ClearDisplays();
    const std::vector<uint8_t> plain = WindowPixels();

    form.DisplaySettings().vektorpfeile.colour = 0x0000FF;
    form.DrawArrows();
    EXPECT_TRUE(form.CurrentMouseMode().Keyword().empty());
    EXPECT_TRUE(form.Settings().berechnet);
    EXPECT_NE(WindowPixels(), plain);

    form.DisplaySettings().linien.colour = 0x00FFFF;
    form.DrawStreamLines();
    EXPECT_EQ(Count(0x0000FF), 0);  // the redraw wiped the arrows
    EXPECT_GT(Count(0x00FFFF), 0);
    form.ClearDisplays();
    EXPECT_EQ(WindowPixels(), plain);
}

// Regression test: the estimate took every pass that the limit allows, so a
// scene with a limit of 2^31 - 1 passes that converges in two was asked for
// as "about 121211 s". Its passes are counted on a copy now.
TEST_F(DisplayCommandsTest, ConvergingSceneUnderAHugePassLimitIsNotAskedFor) {
    auto mirror = std::make_unique<TObjektSpiegel>(100, 250, 300, 250);
    mirror->difref = 50;
    form.Scene().Append(std::move(mirror));
    form.Settings().maximaleiterationen = INT32_MAX;
    Choose("Vektorpfeile1");
    EXPECT_TRUE(headless.questions.empty()) << headless.questions.front();
    EXPECT_TRUE(form.Settings().berechnet);
}

// Work estimated above a minute is asked for first. No leaves the scene
// uncomputed, without progress; Yes computes, and a stop from outside (here a
// deadline, later the progress window's Cancel) ends the display with its
// message.
TEST_F(DisplayCommandsTest, LongWorkIsAskedForFirstAndCanBeStopped) {
    SetThreadCount(1);
    form.Settings().sellaenge = 1;
    static_cast<TObjektHintergrund&>(form.Scene().Head()).staerke = 1;
    for (int i = 0; i < 10000; ++i)  // 10 000 small absorbers
        form.Scene().Append(std::make_unique<TObjektAbsorber>(i % 100 * 3, i / 100 * 3, i % 100 * 3 + 1, i / 100 * 3));
    form.DisplaySettings().vektorpfeile.gitterweite = 1;
    headless.questionAnswers.push_back(false);
    Choose("Vektorpfeile1");
    ASSERT_EQ(headless.questions.size(), 1u);
    EXPECT_TRUE(headless.questions[0].starts_with("This will take a long time (about ")) << headless.questions[0];
    EXPECT_TRUE(headless.questions[0].ends_with(" s). Compute anyway?")) << headless.questions[0];
    EXPECT_FALSE(form.Settings().berechnet);
    EXPECT_EQ(headless.progressShown, 0);
    EXPECT_TRUE(headless.messages.empty());

    headless.questionAnswers.push_back(true);
    headless.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    Choose("Vektorpfeile1");
    EXPECT_EQ(headless.messages, std::vector<std::string>{"The computation was stopped before it was complete."});
    EXPECT_TRUE(form.Settings().berechnet) << "the iteration itself was done; the arrows were stopped";
    EXPECT_FALSE(headless.progressVisible);
    SetThreadCount(0);
}

}  // namespace
