#include <cstdio>
#include <set>

#include "DisplayTestSupport.h"
#include "display/Vektorpfeile.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektParallel.h"

namespace {

class ArrowsTest : public DisplayTest {
protected:
    ArrowsTest() : DisplayTest(1000, 100) {}

    // The grid points at which an arrow was drawn: after the pen colour,
    // every arrow is five calls long and starts with a move to its point.
    std::vector<std::string> ArrowStarts() const {
        std::vector<std::string> starts;
        for (size_t i = 1; i < canvas.calls.size(); i += 5) starts.push_back(canvas.calls[i]);
        return starts;
    }

    TVektorpfeile arrows;
};

TEST_F(ArrowsTest, GridStartsOneSpacingInAndEndsOnTheBorder) {
    // Pointing left, so that no tip leaves the picture and the frame blocks none.
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    arrows.Draw(list, canvas);

    std::set<int> columns;
    std::set<int> rows;
    for (const std::string& start : ArrowStarts()) {
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(start.c_str(), "move %d %d", &x, &y), 2) << start;
        columns.insert(x);
        rows.insert(y);
    }
    // 1000 div 20 = 50 columns X = 20 ... 1000 (one beyond the last pixel
    // column 999) and 100 div 20 = 5 rows Y = 20 ... 100.
    ASSERT_EQ(columns.size(), 50u);
    EXPECT_EQ(*columns.begin(), 20);
    EXPECT_EQ(*columns.rbegin(), 1000);
    EXPECT_EQ(rows, (std::set<int>{20, 40, 60, 80, 100}));
    EXPECT_EQ(ArrowStarts().size(), 250u);
}

TEST_F(ArrowsTest, ProgressTextPerColumn) {
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    arrows.Draw(list, canvas);

    ASSERT_EQ(headless.progressTexts.size(), 50u);
    EXPECT_EQ(headless.progressTexts.front(), "Brevanto 2.0 is calculating the arrows.\rProgress: 0%");
    EXPECT_EQ(headless.progressTexts[20], "Brevanto 2.0 is calculating the arrows.\rProgress: 40%");
    EXPECT_EQ(headless.progressTexts.back(), "Brevanto 2.0 is calculating the arrows.\rProgress: 98%");
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_FALSE(headless.progressVisible);
}

TEST_F(ArrowsTest, StrongestArrowIsSevenTenthsOfTheSpacingOthersInProportion) {
    Add(std::make_unique<GrowingField>());
    arrows.Draw(list, canvas);

    // The strongest flow is at the last column X = 1000: Round(0.7 * 20) = 14
    // long, pointing left. Its head strokes end beside the shaft's midpoint
    // (993), a third of 14 = 4.67 to either side, rounded to 5.
    const std::vector<std::string> strongest{"move 1000 20", "line 986 20", "line 993 25", "move 986 20",
                                             "line 993 15"};
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), strongest.begin(), strongest.end()),
              canvas.calls.end());
    // Half the flow at X = 500: Round(7.0) = 7.
    const std::vector<std::string> half{"move 500 40", "line 493 40"};
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), half.begin(), half.end()), canvas.calls.end());
}

TEST_F(ArrowsTest, HeadRoundsHalvesToEven) {
    // g = 13: the strongest arrow is Round(9.1) = 9 long, so the head strokes
    // end at X + 4.5, which rounds to even: 17.5 -> 18 and 30.5 -> 30.
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    arrows.gitterweite = 13;
    arrows.Draw(list, canvas);

    const std::vector<std::string> first{"move 13 13", "line 22 13", "line 18 10", "move 22 13", "line 18 16"};
    const std::vector<std::string> second{"move 26 13", "line 35 13", "line 30 10", "move 35 13", "line 30 16"};
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), first.begin(), first.end()), canvas.calls.end());
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), second.begin(), second.end()),
              canvas.calls.end());
}

TEST_F(ArrowsTest, BlockedArrowDrawsNeitherShaftNorHead) {
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    // Crosses the shafts from X = 520 (to 506) only.
    Add(std::make_unique<TObjektAbsorber>(510, 0, 510, 100));
    arrows.Draw(list, canvas);

    EXPECT_TRUE(CallsStartingWith(canvas, "move 520 ").empty());
    EXPECT_TRUE(CallsStartingWith(canvas, "line 506 ").empty());
    EXPECT_TRUE(CallsStartingWith(canvas, "move 506 ").empty());
    EXPECT_EQ(CallsStartingWith(canvas, "move 540 ").size(), 5u);
    EXPECT_EQ(CallsStartingWith(canvas, "move 500 ").size(), 5u);
    // 49 columns of 5 arrows, each one shaft and two head strokes.
    EXPECT_EQ(CallsStartingWith(canvas, "line").size(), 49u * 5u * 3u);
}

TEST_F(ArrowsTest, SceneWithoutLightShowsMessageAndDrawsNothing) {
    arrows.colour = 0x0000FF;
    arrows.Draw(list, canvas);

    EXPECT_EQ(headless.messages, std::vector<std::string>{"No arrows are drawn, because there is no light-source."});
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"pen 255"});
    EXPECT_FALSE(headless.progressVisible);
}

TEST_F(ArrowsTest, UnusableSpacingFromAFileShowsWhyAndDrawsNothing) {
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    const struct {
        int32_t spacing;
        const char* message;
    } cases[] = {
        {0, "No arrows are drawn, because the pixel width is smaller than 1."},
        {-20, "No arrows are drawn, because the pixel width is smaller than 1."},
        {101, "No arrows are drawn, because the pixel width is larger than the picture."},
    };
    for (const auto& c : cases) {
        headless.messages.clear();
        canvas.calls.clear();
        arrows.gitterweite = c.spacing;
        arrows.Draw(list, canvas);
        EXPECT_EQ(headless.messages, std::vector<std::string>{c.message}) << c.spacing;
        EXPECT_TRUE(CallsStartingWith(canvas, "line").empty()) << c.spacing;
    }
    EXPECT_EQ(headless.progressShown, 0);
}

TEST_F(ArrowsTest, OpposingParallelBeamsCancel) {
    // Two parallel emitters facing each other: between them the two beams
    // cancel, outside only the nearer one arrives (it blocks the other).
    Add(std::make_unique<TObjektParallel>(110, 10, 110, 90)).staerke = 5;
    Add(std::make_unique<TObjektParallel>(290, 10, 290, 90)).staerke = 5;
    arrows.Draw(list, canvas);

    // Zero net flow: the arrow at (200, 40) has no length.
    const std::vector<std::string> between{"move 200 40", "line 200 40"};
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), between.begin(), between.end()),
              canvas.calls.end());
    // Left of the pair the flow points away from it at full length.
    const std::vector<std::string> outside{"move 60 40", "line 46 40"};
    EXPECT_NE(std::search(canvas.calls.begin(), canvas.calls.end(), outside.begin(), outside.end()),
              canvas.calls.end());
}

class ArrowsDialogTest : public DisplayTest {
protected:
    TVektorpfeile arrows;
};

TEST_F(ArrowsDialogTest, ShowsSpacingReadsLenientlyAndRefusesBelowOne) {
    std::vector<std::string> shownTexts;
    auto answer = [&](std::string text, int colour) {
        headless.dialogAnswers.push_back([&shownTexts, text, colour](platform::DialogSpec& dialog) {
            shownTexts.push_back(dialog["Edit1"].text);
            dialog["Edit1"].text = text;
            dialog["ComboBox1"].selected = colour;
            return platform::ModalResult::OK;
        });
    };
    answer("abc", 2);
    answer("0", 2);
    answer(" 15", 2);
    arrows.Edit();

    EXPECT_EQ(headless.shownDialogs, std::vector<std::string>(3, "Arrows of energy flow density"));
    EXPECT_EQ(shownTexts, (std::vector<std::string>{"20", "abc", "0"}));
    EXPECT_EQ(headless.messages,
              std::vector<std::string>(2, "The pixel width must be a whole number of at least 1."));
    EXPECT_EQ(arrows.gitterweite, 15);
    EXPECT_EQ(arrows.colour, 0xFF0000);  // blue
}

TEST_F(ArrowsDialogTest, LayoutAndColourListKeptBetweenShowings) {
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["Edit1"].caption, "Pixel width");
        EXPECT_EQ(dialog["ComboBox1"].caption, "Color");
        EXPECT_EQ(dialog["ComboBox1"].items, (std::vector<std::string>{"black", "red", "blue", "green", "yellow"}));
        dialog["ComboBox1"].selected = 1;
        return platform::ModalResult::OK;
    });
    arrows.Edit();
    EXPECT_EQ(arrows.colour, 0x0000FF);

    // The list is not preset from the arrows' colour: it shows red again.
    arrows.colour = 0;
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["ComboBox1"].selected, 1);
        return platform::ModalResult::OK;
    });
    arrows.Edit();
    EXPECT_EQ(arrows.colour, 0x0000FF);
}

TEST_F(ArrowsDialogTest, ClosedWithoutOkChangesNothing) {
    arrows.Edit();  // the headless platform closes it with Cancel
    EXPECT_EQ(arrows.gitterweite, 20);
    EXPECT_EQ(headless.unansweredDialogs.size(), 1u);
}

}  // namespace
