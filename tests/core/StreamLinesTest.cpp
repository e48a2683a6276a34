#include <cmath>
#include <cstdio>

#include "DisplayTestSupport.h"
#include "display/Energieflusslinien.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "platform/Errors.h"

namespace {

class StreamLinesTest : public DisplayTest {
protected:
    StreamLinesTest() : DisplayTest(2000, 600) {}

    std::vector<std::string> Lines() const { return CallsStartingWith(picture.canvas, "line"); }

    void TraceFrom(int32_t x, int32_t y) { lines.TraceLine(list, picture, window, x, y); }

    TLinien lines;
    RecordingPicture picture;
    RecordingCanvas window;
};

TEST_F(StreamLinesTest, FreeLineEndsAfter501Steps) {
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    TraceFrom(100, 50);

    // 500 steps of 2 pixels reach exactly maxlaenge = 1000, which does not
    // yet exceed it; the 501st ends at 1002 pixels walked.
    const std::vector<std::string> drawn = Lines();
    ASSERT_EQ(drawn.size(), 501u);
    EXPECT_EQ(drawn.front(), "line 102 50");
    EXPECT_EQ(drawn.back(), "line 1102 50");
    EXPECT_EQ(picture.canvas.calls[0], "pen 0");
    EXPECT_EQ(picture.canvas.calls[1], "move 100 50");
    EXPECT_EQ(window.calls, std::vector<std::string>{"bitmap"});
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_TRUE(headless.progressTexts.empty());
}

TEST_F(StreamLinesTest, FullSetTracesEveryStartAndCopiesAfterEachLine) {
    auto& field = Add(std::make_unique<UniformField>(1.0f, 0.0f, 2.0));
    field.NarrowTo(50, 20, 1500, 100);
    field.starts = {{100, 50}, {100, 70}};
    lines.Draw(list, picture, window);

    EXPECT_FLOAT_EQ(field.lastFluxPerLine, 40.0f);  // linienabstand 20 times the largest strength 2
    EXPECT_EQ(Lines().size(), 2u * 501u);
    EXPECT_EQ(window.calls, std::vector<std::string>(2, "bitmap"));
}

TEST_F(StreamLinesTest, StartsFromTheListHeadWithProgressPerObject) {
    auto& first = Add(std::make_unique<UniformField>(0.0f, -1.0f));
    first.description = "First field";
    first.NarrowTo(5, 5, 100, 100);
    first.starts = {{10, 10}, {20, 20}};
    auto& second = Add(std::make_unique<UniformField>(0.0f, 0.0f));
    second.description = "Second field";
    second.starts = {{30, 30}};
    lines.Draw(list, picture, window);

    // The last object's points first, each object's in reverse order.
    EXPECT_EQ(CallsStartingWith(picture.canvas, "move"),
              (std::vector<std::string>{"move 30 30", "move 20 20", "move 10 10"}));
    const std::string title = "Brevanto 2.0 is calculating the starting points for the stream lines for:\r";
    EXPECT_EQ(headless.progressTexts, (std::vector<std::string>{title + "1 : Background radiation",
                                                                title + "2 : First field",
                                                                title + "3 : Second field"}));
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_FALSE(headless.progressVisible);
}

TEST_F(StreamLinesTest, LineIntoAbsorberEndsWithBlockedTenthStep) {
    Add(std::make_unique<TObjektParallel>(100, 20, 100, 80)).staerke = 1;
    Add(std::make_unique<TObjektAbsorber>(152, 0, 152, 100));
    TraceFrom(101, 50);

    // 25 full steps to x = 151; the next full step would cross x = 152, so
    // the line creeps on in tenth steps: 151.2 and 151.4 (drawn at 151) are
    // free, 151.6 reaches 152 on the absorber and is the last step.
    const std::vector<std::string> drawn = Lines();
    ASSERT_EQ(drawn.size(), 28u);
    EXPECT_EQ(drawn[24], "line 151 50");
    EXPECT_EQ(std::vector<std::string>(drawn.end() - 3, drawn.end()),
              (std::vector<std::string>{"line 151 50", "line 151 50", "line 152 50"}));
}

TEST_F(StreamLinesTest, LineStopsWhereFlowIsBelowTheThresholdOrZero) {
    // Below 0.01 of the largest strength 1: not a single step.
    Add(std::make_unique<UniformField>(0.005f, 0.0f));
    TraceFrom(100, 50);
    EXPECT_TRUE(Lines().empty());

    // Exactly zero flow has no direction even with no threshold at all.
    Add(std::make_unique<UniformField>(-0.005f, 0.0f));
    lines.abbruchschwelle = -1;
    TraceFrom(100, 50);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(window.calls, std::vector<std::string>(2, "bitmap"));
}

TEST_F(StreamLinesTest, SingleLineWithoutAnyLightEndsAtOnce) {
    TraceFrom(100, 50);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(StreamLinesTest, SingleLineEndsWhenItClosesALoopTheFullSetDoesNot) {
    Add(std::make_unique<Vortex>(300.0f, 300.0f));
    TraceFrom(350, 300);

    // One turn at a radius of 50 to 56 pixels (explicit steps drift outward:
    // each adds 4 to r squared) takes 157 to 176 steps of 2 pixels.
    const std::vector<std::string> single = Lines();
    EXPECT_GE(single.size(), 157u);
    EXPECT_LE(single.size(), 176u);
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(single.back().c_str(), "line %d %d", &x, &y), 2);
    EXPECT_LT(std::hypot(x - 350, y - 300), 10.0);

    picture.canvas.calls.clear();
    lines.Draw(list, picture, window);
    EXPECT_EQ(Lines().size(), 501u);
}

TEST_F(StreamLinesTest, NoLightSourcesForTheFullSet) {
    Add(std::make_unique<TObjektLambert>(100, 100, 200, 100));  // strength 0
    lines.Draw(list, picture, window);

    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"No stream-lines are drawn, because there are no light-sources."});
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(headless.progressShown, 0);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(StreamLinesTest, UnusableValuesFromAFileShowWhyAndDrawNothing) {
    auto& field = Add(std::make_unique<UniformField>(1.0f, 0.0f));
    field.starts = {{100, 50}};
    const struct {
        int32_t distance;
        float step;
        const char* message;
    } cases[] = {
        {0, 2.0f, "No stream-lines are drawn, because the minimum distance between lines is smaller than 1."},
        {-3, 2.0f, "No stream-lines are drawn, because the minimum distance between lines is smaller than 1."},
        {20, 0.0f, "No stream-lines are drawn, because the length of the stream-line elements is not positive."},
        {20, -2.0f, "No stream-lines are drawn, because the length of the stream-line elements is not positive."},
        {20, NAN, "No stream-lines are drawn, because the length of the stream-line elements is not positive."},
    };
    for (const auto& c : cases) {
        headless.messages.clear();
        lines.linienabstand = c.distance;
        lines.iterationslaenge = c.step;
        lines.Draw(list, picture, window);
        EXPECT_EQ(headless.messages, std::vector<std::string>{c.message}) << c.distance << " " << c.step;
        EXPECT_TRUE(Lines().empty());
    }

    // A single line does not divide the flux, so only the step length matters.
    headless.messages.clear();
    lines.linienabstand = 0;
    lines.iterationslaenge = 2;
    TraceFrom(100, 50);
    EXPECT_EQ(Lines().size(), 501u);
    lines.iterationslaenge = 0;
    TraceFrom(100, 50);
    EXPECT_EQ(headless.messages, std::vector<std::string>{cases[2].message});
}

TEST_F(StreamLinesTest, StepTooShortToMoveThePointEndsTheLine) {
    // Without the check, a step below the float resolution of the position
    // would repeat in place until 10^33 steps had been walked.
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    lines.iterationslaenge = 1e-30f;
    TraceFrom(100, 50);
    EXPECT_EQ(Lines().size(), 1u);
}

class StreamLinesDialogTest : public DisplayTest {
protected:
    // Types the four texts and presses OK.
    void Answer(std::string distance, std::string step, std::string threshold = "0.01",
                std::string length = "1000") {
        headless.dialogAnswers.push_back([=](platform::DialogSpec& dialog) {
            dialog["Edit1"].text = distance;
            dialog["Edit2"].text = step;
            dialog["Edit3"].text = threshold;
            dialog["Edit4"].text = length;
            return platform::ModalResult::OK;
        });
    }

    TLinien lines;
};

TEST_F(StreamLinesDialogTest, ShowsTheValuesWithLabels) {
    lines.abbruchschwelle = 0.125f;
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Stream-lines");
        EXPECT_EQ(dialog["Edit1"].caption, "Minimum distance between lines");
        EXPECT_EQ(dialog["Edit2"].caption, "Length of stream-line elements");
        EXPECT_EQ(dialog["Edit3"].caption, "Percentage of maximum energy flow density where stream-lines stop");
        EXPECT_EQ(dialog["Edit4"].caption, "Maximum length");
        EXPECT_EQ(dialog["Edit1"].text, "20");
        EXPECT_EQ(dialog["Edit2"].text, "2");
        EXPECT_EQ(dialog["Edit3"].text, "0.125");
        EXPECT_EQ(dialog["Edit4"].text, "1000");
        dialog["Edit4"].text = "500";
        dialog["ComboBox1"].selected = 3;
        return platform::ModalResult::OK;
    });
    lines.Edit();
    EXPECT_EQ(lines.maxlaenge, 500);
    EXPECT_EQ(lines.colour, 0x008000);  // green
}

TEST_F(StreamLinesDialogTest, DistanceAndLengthMustBePositiveInTurn) {
    Answer("0", "2");
    Answer("20", "0");
    Answer("-1", "-0.5");
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        // The texts come back as the user left them.
        EXPECT_EQ(dialog["Edit1"].text, "-1");
        EXPECT_EQ(dialog["Edit2"].text, "-0.5");
        dialog["Edit1"].text = "7";
        dialog["Edit2"].text = "1.5";
        return platform::ModalResult::OK;
    });
    lines.Edit();

    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"The distance must be positive.", "The length must be positive.",
                                        "The distance must be positive.", "The length must be positive."}));
    EXPECT_EQ(headless.shownDialogs.size(), 4u);
    EXPECT_EQ(lines.linienabstand, 7);
    EXPECT_FLOAT_EQ(lines.iterationslaenge, 1.5f);
}

TEST_F(StreamLinesDialogTest, TextThatIsNotANumberEndsTheEditAtThatField) {
    Answer("5", "abc", "0.5");
    EXPECT_THROW(lines.Edit(), platform::ConversionError);
    EXPECT_EQ(lines.linienabstand, 5);            // read before the bad field
    EXPECT_FLOAT_EQ(lines.iterationslaenge, 2.0f);  // the bad field and those after it stay
    EXPECT_FLOAT_EQ(lines.abbruchschwelle, 0.01f);
    EXPECT_EQ(headless.shownDialogs.size(), 1u);
}

}  // namespace
