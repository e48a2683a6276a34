// The main window's display commands.
#include "MainWindowFixture.h"
#include "model/ParallelFor.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"

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

TEST_F(DisplayCommandsTest, GridDisplaysOverMirrorsAreTheSameOnOneAndOnFourThreads) {
    // The grid points are computed side by side; a mirror's elements and the
    // frame are read by all threads at once, and must give the same picture
    // whatever the number of threads.
    static_cast<TObjektHintergrund&>(form.Scene().Head()).staerke = 0.5f;
    auto mirror = std::make_unique<TObjektSpiegel>(120, 60, 280, 90);
    mirror->dirref = 60;
    mirror->difref = 30;
    form.Scene().Append(std::move(mirror));
    auto lambert = std::make_unique<TObjektLambert>(200, 250, 260, 230);
    lambert->staerke = 4;
    form.Scene().Append(std::move(lambert));

    SetThreadCount(1);
    form.DrawArrows();
    const std::vector<uint8_t> arrows = WindowPixels();
    form.DrawCircles();
    const std::vector<uint8_t> circles = WindowPixels();
    SetThreadCount(4);
    form.DrawArrows();
    EXPECT_EQ(WindowPixels(), arrows);
    form.DrawCircles();
    EXPECT_EQ(WindowPixels(), circles);
    SetThreadCount(0);
    EXPECT_NE(circles, arrows);
    EXPECT_TRUE(headless.messages.empty());
}

}  // namespace
