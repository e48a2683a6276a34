// SPDX-License-Identifier: GPL-3.0-or-later
// The three displays of the field: arrows and circles on a grid of points,
// and stream lines. Their drawing calls are recorded; the scene objects give
// the field by a formula, so that a test depends only on the display's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "display/Arrows.h"
#include "display/Circles.h"
#include "display/StreamLines.h"
#include "model/ParallelFor.h"
#include "model/SceneList.h"
#include "model/Settings.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "platform/Errors.h"
#include "platform/HeadlessPlatform.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;

namespace {

// The same flow density vector everywhere from x = fromX on, with no
// occlusion of its own. Stream lines start at `starts`, which the object
// adds in this order; it notes the flux per line it was asked for.
class UniformField : public Tszeneobjekt {
public:
    UniformField(float fx, float fy, double strength = 1) : fx(fx), fy(fy), strength(strength) {}

    bool FlowDensityAt(int32_t x, int32_t, const SceneList&, float& outX, float& outY, int32_t) const override {
        outX = x >= fromX ? fx : 0;
        outY = x >= fromX ? fy : 0;
        return outX != 0 || outY != 0;
    }
    double Strength() const override { return strength; }
    void AddStreamLineStarts(StreamLineStarts& list, const SceneList&, float fluxPerLine,
                             const StopCheck&) const override {
        lastFluxPerLine = fluxPerLine;
        for (const StreamLineStart& start : starts) list.Prepend(start);
    }

    float fx, fy;
    double strength;
    std::vector<StreamLineStart> starts;
    int32_t fromX = INT32_MIN;
    mutable float lastFluxPerLine = 0;
};

// Settings for a picture of the given size, a headless platform and an
// empty scene (only the background radiation, strength 0).
class FieldDisplaysTest : public ::testing::Test {
protected:
    explicit FieldDisplaysTest(int32_t width = 2000, int32_t height = 600) : settings(height, width, 0xFFFFFF) {
        list.PrepareQueries(settings);
    }

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        list.Append(std::move(object));
        list.CleanAndNumber();
        list.PrepareQueries(settings);
        return added;
    }

    // The recorded calls on the picture that start with the prefix.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.starts_with(prefix)) found.push_back(call);
        return found;
    }
    std::vector<std::string> Lines() const { return Calls("line"); }
    bool HasSequence(const std::vector<std::string>& sequence) const {
        return std::search(calls.begin(), calls.end(), sequence.begin(), sequence.end()) != calls.end();
    }
    // The radius of the disc drawn at (x, y), 0 for none.
    int DiscRadiusAt(int x, int y) const {
        for (int r = 1; r <= circles.gitterweite; ++r) {
            const std::string disc = "ellipse " + std::to_string(x - r) + " " + std::to_string(y - r) + " " +
                                     std::to_string(x + r) + " " + std::to_string(y + r);
            if (std::find(calls.begin(), calls.end(), disc) != calls.end()) return r;
        }
        return 0;
    }
    void TraceFrom(int32_t x, int32_t y) { lines.TraceLine(list, picture, window, headless, x, y); }
    void DrawArrows() { arrows.Draw(list, settings, picture.canvas, headless); }
    void DrawCircles() { circles.Draw(list, settings, picture.canvas, headless); }
    void DrawLines() { lines.Draw(list, settings, picture, window, headless); }

    platform::HeadlessPlatform headless;
    Tprgvar settings;
    SceneList list{NewBackground()};
    RecordingPicture picture;
    std::vector<std::string>& calls = picture.canvas.calls;
    RecordingCanvas window;
    TVektorpfeile arrows;
    TEnergiekreise circles;
    TLinien lines;
};

// --- Arrows and circles ---------------------------------------------------

class GridDisplaysTest : public FieldDisplaysTest {
protected:
    GridDisplaysTest() : FieldDisplaysTest(1000, 400) {}
};

TEST_F(GridDisplaysTest, ArrowsCoverTheGridScaledToTheStrongestFlow) {
    // Flow 1 to the left, 2 from X = 500 on; pointing left, so that the frame
    // blocks no tip. The absorber crosses only the arrows of column 520.
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    Add(std::make_unique<UniformField>(-1.0f, 0.0f)).fromX = 500;
    Add(std::make_unique<TObjektAbsorber>(510, 0, 510, 400));
    DrawArrows();

    // After the pen colour every arrow is five calls: 1000 div 20 = 50
    // columns X = 20 ... 1000 (one beyond the last pixel column) of 400 div
    // 20 = 20 rows Y = 20 ... 400, less the blocked column.
    EXPECT_EQ(calls.size(), 1u + 49u * 20u * 5u);
    // A blocked arrow draws neither its shaft (to 506) nor its head.
    EXPECT_TRUE(Calls("move 520 ").empty());
    // The strongest arrow is Round(0.7 * 20) = 14 long; its head strokes end
    // beside the shaft's midpoint, a third of the shaft's length to either
    // side: 4.67 rounds to 5. Half the flow gives half the length, and the
    // midpoint 16.5 rounds to even.
    EXPECT_TRUE(HasSequence({"move 1000 20", "line 986 20", "line 993 25", "move 986 20", "line 993 15"}));
    EXPECT_TRUE(HasSequence({"move 20 400", "line 13 400", "line 16 402", "move 13 400", "line 16 398"}));
    EXPECT_EQ(headless.progressTexts.back(), "Brevanto 2.0 is calculating the arrows.\rProgress: 98%");
}

// Logarithmic lengths: a flow a hundred times fainter than the strongest,
// which in proportion rounds to nothing, keeps a third of the length (two
// of three decades below it); the strongest stays 14 pixels long.
TEST_F(GridDisplaysTest, LogarithmicArrowsShowFaintFlow) {
    Add(std::make_unique<UniformField>(-0.01f, 0.0f));
    Add(std::make_unique<UniformField>(-1.0f, 0.0f)).fromX = 500;
    const ArrowScale proportional = arrows.Draw(list, settings, picture.canvas, headless);
    EXPECT_FALSE(HasSequence({"move 20 20"}));  // rounds to its start: left out
    calls.clear();
    const ArrowScale logarithmic = arrows.Draw(list, settings, picture.canvas, headless, ArrowLength::Logarithmic);
    EXPECT_TRUE(HasSequence({"move 20 20", "line 15 20"}));
    EXPECT_TRUE(HasSequence({"move 1000 20", "line 986 20"}));
    EXPECT_NEAR(proportional.perSpacing, 1.01 / 0.7, 1e-6);
    EXPECT_EQ(logarithmic.perSpacing, 0);
    EXPECT_NEAR(logarithmic.strongest, 1.01, 1e-6);
    EXPECT_NEAR(logarithmic.faintest, 1.01e-3, 1e-9);
}

TEST_F(GridDisplaysTest, OpposingBeamsCancelInFlowAndAddUpInEnergy) {
    // Between two equal parallel emitters both beams cross each point in
    // opposite directions; outside the pair only the nearer one arrives.
    Add(std::make_unique<TObjektParallel>(115, 110, 115, 290)).staerke = 5;
    Add(std::make_unique<TObjektParallel>(285, 110, 285, 290)).staerke = 5;
    DrawArrows();
    EXPECT_FALSE(HasSequence({"move 200 200"}));  // no net flow: no arrow

    calls.clear();
    DrawCircles();
    // E = 10 between (the largest: radius Round(0.4 * 20) = 8), 5 outside.
    EXPECT_EQ(DiscRadiusAt(200, 200), 8);
    EXPECT_EQ(DiscRadiusAt(60, 200), 4);
    EXPECT_TRUE(Calls("ellipse 200 60 ").empty());  // no beam reaches: not even radius 0
    EXPECT_EQ(DiscRadiusAt(120, 200), 0);           // the disc would reach the emitter 5 pixels away
}

TEST_F(GridDisplaysTest, NothingDrawnShowsWhy) {
    DrawArrows();
    DrawCircles();
    Add(std::make_unique<UniformField>(-1.0f, 0.0f));
    arrows.gitterweite = 0;  // from a file
    DrawArrows();
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"No arrows are drawn, because there is no light-source.",
                                        "No circles are drawn, because there are no light sources.",
                                        "No arrows are drawn, because the pixel width is smaller than 1."}));
    EXPECT_TRUE(Calls("move").empty() && Calls("ellipse").empty());
}

// --- Stream lines, on a picture wide enough for a free line -----------------

class StreamLinesTest : public FieldDisplaysTest {
protected:
    // The box around what the lines copied from the picture to the window:
    // left, top, right and bottom, the last two outside. They copy only what
    // they touched, in one copy or a few.
    std::array<int, 4> CopiedToWindow() const {
        std::array<int, 4> box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const std::string& call : window.calls) {
            std::array<int, 4> part{};
            if (std::sscanf(call.c_str(), "bitmap %d %d %d %d", &part[0], &part[1], &part[2], &part[3]) != 4) continue;
            box = {std::min(box[0], part[0]), std::min(box[1], part[1]), std::max(box[2], part[2]),
                   std::max(box[3], part[3])};
        }
        return box;
    }
};

TEST_F(StreamLinesTest, FullSetTracesEveryStartFreelyFor501Steps) {
    auto& field = Add(std::make_unique<UniformField>(1.0f, 0.0f, 2.0));
    field.starts = {{100, 50}, {100, 70}};
    field.fromX = 5;  // no flow in through the frame, where the background would start lines
    DrawLines();

    // From the head of the list: the starts in reverse order. 500 steps of
    // 2 pixels reach exactly maxlaenge = 1000, which does not yet exceed it;
    // the 501st ends at 1002 pixels walked.
    EXPECT_EQ(Calls("move"), (std::vector<std::string>{"move 100 70", "move 100 50"}));
    ASSERT_EQ(Lines().size(), 2u * 501u);
    EXPECT_EQ(Lines().back(), "line 1102 50");
    EXPECT_EQ(CopiedToWindow(), (std::array{100, 50, 1103, 71})) << "every pixel of both lines";
    EXPECT_FLOAT_EQ(field.lastFluxPerLine, 40.0f);  // linienabstand 20 times the largest strength 2
    EXPECT_EQ(headless.progressTexts.back(), "Brevanto 2.0 is drawing the stream lines:\r2 of 2");
}

// A cancel while the lines are drawn keeps the lines drawn so far, and only
// those, also when later lines were already traced side by side.
TEST_F(StreamLinesTest, CancelKeepsOnlyTheLinesDrawnSoFar) {
    SetThreadCount(4);
    auto& field = Add(std::make_unique<UniformField>(1.0f, 0.0f, 2.0));
    field.starts = {{100, 50}, {100, 60}, {100, 70}, {100, 80}};
    field.fromX = 5;
    headless.cancelWhen = [&] {
        return !headless.progressTexts.empty() && headless.progressTexts.back().ends_with("1 of 4");
    };
    EXPECT_THROW(DrawLines(), platform::Stopped);
    SetThreadCount(0);
    EXPECT_EQ(Calls("move"), std::vector<std::string>{"move 100 80"});
    EXPECT_EQ(Lines().size(), 501u);
    EXPECT_EQ(CopiedToWindow(), (std::array{100, 80, 1103, 81})) << "the window shows the line drawn";
}

// The estimate of the stream lines counts what Draw draws: the lines the
// objects start, and their steps on average, a line still going after the
// sample's steps at its full length.
TEST_F(StreamLinesTest, SampleCountsTheLinesAndTheirStepsAsDrawn) {
    auto& field = Add(std::make_unique<UniformField>(1.0f, 0.0f));
    field.starts = {{100, 50}, {1500, 70}};  // of full length, and ending at the frame
    field.fromX = 5;
    const TLinien::LineSample sample = lines.Sample(list, std::chrono::seconds(10));
    DrawLines();
    EXPECT_EQ(sample.lines, 2);
    EXPECT_EQ(sample.steps * 2, static_cast<double>(Lines().size()));

    field.starts = {{100, 50}};
    lines.iterationslaenge = 0.125f;  // 8001 steps, beyond the sample's
    EXPECT_EQ(lines.Sample(list, std::chrono::seconds(10)).steps, 8001);
}

TEST_F(StreamLinesTest, LineEndsWhereItCannotMoveOn) {
    // Below 0.01 of the largest strength 1: not a single step.
    Add(std::make_unique<UniformField>(0.005f, 0.0f));
    TraceFrom(100, 50);
    EXPECT_TRUE(Lines().empty());

    // A step too short to move the point would otherwise repeat in place
    // until 10^33 steps were walked.
    Add(std::make_unique<UniformField>(1.0f, 0.0f));
    lines.iterationslaenge = 1e-30f;
    TraceFrom(100, 50);
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(StreamLinesTest, NothingDrawnShowsWhy) {
    Add(std::make_unique<TObjektLambert>(100, 100, 200, 100));  // strength 0
    DrawLines();
    Add(std::make_unique<UniformField>(1.0f, 0.0f)).starts = {{100, 50}};
    lines.iterationslaenge = NAN;  // from a file
    DrawLines();
    const std::string why = "No stream-lines are drawn, because ";
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{why + "there are no light-sources.",
                                        why + "the length of the stream-line elements is not positive."}));
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(window.calls.empty());
}

// A refused field is shown again as typed, with the cursor in it; nothing is
// stored until every field is taken, so Cancel after a refusal keeps all.
TEST_F(FieldDisplaysTest, DialogRefusesWhatCannotBeDrawnAndShowsTheFieldAgain) {
    std::vector<std::string> shown;  // focus, distance and step as each showing found them
    auto type = [&](std::string distance, std::string step, platform::ModalResult result) {
        headless.dialogAnswers.push_back([&shown, distance, step, result](platform::DialogSpec& dialog) {
            shown.push_back(dialog.focus + " " + dialog["linienabstand"].text + " " + dialog["iterationslaenge"].text);
            dialog["linienabstand"].text = distance;
            dialog["iterationslaenge"].text = step;
            return result;
        });
    };
    type("0", "2", platform::ModalResult::OK);
    type("8", "x", platform::ModalResult::OK);
    type("8", "1.5", platform::ModalResult::Cancel);
    lines.Edit(headless);
    EXPECT_EQ(shown, (std::vector<std::string>{" 20 2", "linienabstand 0 2", "iterationslaenge 8 x"}));
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"The distance must be positive.",
                                        "'x' is not a valid floating point value\rin the field \"Length of "
                                        "stream-line elements\"."}));
    EXPECT_EQ(lines.linienabstand, 20);
    EXPECT_FLOAT_EQ(lines.iterationslaenge, 2.0f);

    type("7", "1.5", platform::ModalResult::OK);
    lines.Edit(headless);
    EXPECT_EQ(lines.linienabstand, 7);
    EXPECT_FLOAT_EQ(lines.iterationslaenge, 1.5f);
}

}  // namespace
