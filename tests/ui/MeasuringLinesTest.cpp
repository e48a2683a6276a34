// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring lines in the window: drawn and moved with the mouse in the
// "Measure" mode, edited and deleted in their list, undone, kept in the scene
// file; and sweeps of a scene's number from the menu.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "files/SceneFile.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektParallel.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;
using namespace brevanto::files;

namespace {

using brevanto::platform::HeldKeys;
using brevanto::platform::ModalResult;
using brevanto::platform::MouseButton;

// A beam of 3 leaving a parallel emitter from x = 100 to 300 at y = 150 up-
// and downwards.
class MeasuringLinesTest : public MainWindowTestOn<400, 300> {
protected:
    MeasuringLinesTest() {
        auto emitter = std::make_unique<TObjektParallel>(100, 150, 300, 150);
        emitter->staerke = 3;
        form.Scene().Append(std::move(emitter));
        form.NoteChanges();
        window.Press("M");
    }

    void Drag(int fromX, int fromY, int toX, int toY, HeldKeys held = {}) {
        form.MousePressed(MouseButton::Left, true, fromX, fromY, held);
        form.MouseMoved(true, (fromX + toX) / 2, (fromY + toY) / 2, held);
        form.MouseMoved(true, toX, toY, held);
        form.MouseReleased(MouseButton::Left, toX, toY);
    }
    // What the menu item writes into the CSV file chosen.
    std::string ExportedCsv(const std::string& item) {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "brevanto-lines-test.csv";
        headless.fileNameAnswers.push_back(file.string());
        Choose(item);
        std::ifstream written(file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
        std::filesystem::remove(file);
        return text;
    }
    // The curve of the plot shown with this name.
    const platform::PlotCurve& Curve(size_t plot, const std::string& name) {
        for (const platform::PlotCurve& curve : window.plots.at(plot).curves)
            if (curve.name == name) return curve;
        throw std::logic_error("no curve " + name);
    }
};

// Above the emitter the light travels up: across a line drawn to the right
// it goes from the line's right (below it on the screen) to its left, 3 on
// each of its 100 pixels.
TEST_F(MeasuringLinesTest, ShiftDragDrawsALineThatIsMeasuredAtOnceAndUndoneAsOneStep) {
    Drag(150, 100, 250, 100, {.shift = true});
    EXPECT_EQ(headless.messages, std::vector<std::string>{});
    ASSERT_EQ(form.MeasuringLines().size(), 1u);
    EXPECT_EQ(form.MeasuringLines()[0], (MeasuringLine{150, 100, 250, 100, 100, ""}));
    EXPECT_TRUE(window.measurements.empty()) << "drawing a line measures no point";
    ASSERT_EQ(window.plots.size(), 1u);
    EXPECT_EQ(window.plots[0].title, "Line 1");
    const platform::PlotCurve& fromRight = Curve(0, "IRR-");
    ASSERT_EQ(fromRight.y.size(), 100u);
    EXPECT_DOUBLE_EQ(fromRight.x[0], 0.5);
    EXPECT_NEAR(fromRight.y[50], 3, 1e-9);
    EXPECT_EQ(Curve(0, "IRR+").y[50], 0);
    EXPECT_NE(window.plots[0].note.find("- 300"), std::string::npos) << window.plots[0].note;
    EXPECT_TRUE(form.HasUnsavedChanges());

    form.Undo();
    EXPECT_TRUE(form.MeasuringLines().empty());
    EXPECT_TRUE(window.plots.empty());
    EXPECT_EQ(form.Scene().size(), 2u) << "one step: the emitter stays";
    form.Redo();
    ASSERT_EQ(form.MeasuringLines().size(), 1u);
    ASSERT_EQ(window.plots.size(), 1u);
    EXPECT_TRUE(window.plots[0].curves.empty()) << "out of date until measured again";
    Choose("EntlangMessen1");
    EXPECT_EQ(window.plots[0].curves.size(), 3u);
    EXPECT_TRUE(headless.messages.empty());

    const std::string firstRows =
        "line,name,along,x,y,irradiance_plus,irradiance_minus,energy_density\r\n"
        "1,\"Line 1\",0.5,150.5,100,0,3,3\r\n1,\"Line 1\",1.5,151.5,100,0,3,3\r\n";
    EXPECT_EQ(ExportedCsv("MesslinienExportieren1").substr(0, firstRows.size()), firstRows);
}

TEST_F(MeasuringLinesTest, DraggingMovesAnEndOrTheWholeLineAndAClickWithShiftDrawsNothing) {
    Drag(150, 100, 250, 100, {.shift = true});
    Drag(250, 100, 250, 50);
    EXPECT_EQ(form.MeasuringLines()[0], (MeasuringLine{150, 100, 250, 50, 100, ""}));
    Drag(150, 100, 160, 90);
    EXPECT_EQ(form.MeasuringLines()[0], (MeasuringLine{160, 90, 250, 50, 100, ""}));
    Drag(205, 70, 215, 80);
    EXPECT_EQ(form.MeasuringLines()[0], (MeasuringLine{170, 100, 260, 60, 100, ""}));
    Drag(50, 50, 50, 50, {.shift = true});
    EXPECT_EQ(form.MeasuringLines().size(), 1u);
    // A click on the line, without moving it, measures the point there.
    Drag(215, 80, 215, 80);
    ASSERT_EQ(window.measurements.size(), 1u);
    EXPECT_EQ(window.measurements[0].x, 215);
    form.Undo();
    EXPECT_EQ(form.MeasuringLines()[0], (MeasuringLine{160, 90, 250, 50, 100, ""})) << "each move one step";

    // The line clicked last is chosen: Delete deletes it, as one step.
    Drag(205, 70, 205, 70);
    EXPECT_EQ(form.ChosenMeasuringLine(), std::optional<size_t>{0});
    window.Press(platform::StandardKey::Delete);
    EXPECT_TRUE(form.MeasuringLines().empty());
    EXPECT_EQ(form.Scene().size(), 2u) << "the objects stay";
    form.Undo();
    EXPECT_EQ(form.MeasuringLines().size(), 1u);
    Drag(20, 20, 20, 20);
    EXPECT_FALSE(form.ChosenMeasuringLine()) << "a click beside every line chooses none";
}

// A change of the scene puts the plots out of date; so does a line changed
// in its dialog, and a deleted line's plot goes.
TEST_F(MeasuringLinesTest, PlotsFollowTheSceneAndTheListEditsAndDeletes) {
    Drag(150, 100, 250, 100, {.shift = true});
    Drag(150, 200, 250, 200, {.shift = true});
    ASSERT_EQ(window.plots.size(), 2u);
    form.Scene().Append(std::make_unique<TObjektAbsorber>(0, 20, 400, 20));
    form.NoteChanges();
    EXPECT_TRUE(window.plots[0].curves.empty());
    EXPECT_FALSE(form.HasLineReadings());

    Answer([](platform::DialogSpec& dialog) {
        dialog["lines"].selected = 1;
        return ModalResult::Edit;
    });
    AnswerOk({{"name", "Desk"}, {"samples", "10"}});
    Answer([](platform::DialogSpec& dialog) {
        dialog["lines"].selected = 0;
        return ModalResult::Delete;
    });
    Answer([](platform::DialogSpec&) { return ModalResult::Quit; });
    Choose("Messlinien1");
    EXPECT_EQ(form.MeasuringLines(), (std::vector<MeasuringLine>{{150, 200, 250, 200, 10, "Desk"}}));
    ASSERT_EQ(window.plots.size(), 1u);
    EXPECT_EQ(window.plots[0].title, "Desk");
    form.Undo();
    EXPECT_EQ(form.MeasuringLines().size(), 2u) << "the list's changes are one step";

    Answer([](platform::DialogSpec&) { return ModalResult::Edit; });
    AnswerOk({{"samples", "0"}});
    Answer([](platform::DialogSpec&) { return ModalResult::Cancel; });
    Answer([](platform::DialogSpec&) { return ModalResult::Quit; });
    Choose("Messlinien1");
    EXPECT_EQ(headless.messages, std::vector<std::string>{"The samples must lie between 1 and 1000000."});
}

// The lines follow the objects after the final "end", so a reader that stops
// there reads the scene whole; a scene without lines is written as before.
TEST_F(MeasuringLinesTest, SceneFileKeepsTheLinesAfterTheObjects) {
    const std::string withoutLines = SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
    const std::vector<MeasuringLine> lines{{1, 2, 3, 4, 5, "Window sill"}, {-7, 8, 90000, 10, 1, ""}};
    const std::string withLines = SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene(), lines).Text();
    EXPECT_EQ(withLines.substr(0, withoutLines.size()), withoutLines);
    EXPECT_EQ(withLines.substr(withoutLines.size(), 66),
              "measuringline\r\nbegin\r\nname=Window sill\r\nx1=1\r\ny1=2\r\nx2=3\r\ny2=4\r\nsa");

    const auto read = [](const std::string& text) {
        platform::TextFile file = platform::TextFile::FromText(text);
        return ReadSceneFile(file, Displays{});
    };
    const SceneFileContents back = read(withLines);
    EXPECT_FALSE(back.problem);
    EXPECT_EQ(back.measuringLines, lines);
    EXPECT_EQ(back.list.size(), 2u);
    EXPECT_FALSE(read(withoutLines + "whatever follows\r\n").problem) << "as always, what follows the scene is left";

    std::string broken = withLines;
    broken.replace(broken.find("samples=5"), 9, "samples=0");
    const SceneFileContents partly = read(broken);
    ASSERT_TRUE(partly.problem);
    EXPECT_EQ(partly.problem->kind, SceneFileProblem::Kind::WrongLine);
    EXPECT_EQ(partly.list.size(), 2u) << "the objects are read";
}

// From the menu as on the command line: the emitter moved right in steps of
// 100 takes its beam off the line; the scene is as before afterwards.
TEST_F(MeasuringLinesTest, SweepPlotsEachLineAndAbsorberAndLeavesTheSceneAsItWas) {
    form.Scene().Append(std::make_unique<TObjektAbsorber>(0, 20, 400, 20));
    form.NoteChanges();
    Drag(150, 100, 250, 100, {.shift = true});
    const std::string scene = SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
    Answer([](platform::DialogSpec& dialog) {
        dialog["key"].selected = 2;
        dialog["object"].text = "2";
        dialog["from"].text = "0";
        dialog["to"].text = "200";
        dialog["step"].text = "100";
        return ModalResult::OK;
    });
    Choose("Sweep1");
    EXPECT_TRUE(headless.messages.empty()) << headless.messages.front();
    EXPECT_EQ(SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text(), scene);
    ASSERT_EQ(window.plots.size(), 2u);
    const platform::Plot& sweep = window.plots[1];
    EXPECT_EQ(sweep.title, "Sweep");
    EXPECT_EQ(sweep.xAxis, "object 2: dx (px)");
    ASSERT_EQ(sweep.curves.size(), 3u);
    EXPECT_EQ(sweep.curves[1].name, "Line 1 -");
    EXPECT_EQ(sweep.curves[1].x, (std::vector<double>{0, 100, 200}));
    EXPECT_NEAR(sweep.curves[1].y[0], 300, 1e-6);
    EXPECT_NEAR(sweep.curves[1].y[1], 150, 4) << "half the line in the beam, and the pixel at its edge";
    EXPECT_NEAR(sweep.curves[1].y[2], 0, 1e-6);
    EXPECT_EQ(sweep.curves[2].name, "absorbed by 3 (Straight absorber)");
    EXPECT_NEAR(sweep.curves[2].y[0], 3 * 200, 12);
    const std::string csv = ExportedCsv("SweepExportieren1");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "\"object 2: dx (px)\",\"Line 1 +\",\"Line 1 -\",\"absorbed by 3 (Straight absorber)\"");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);

    Answer([](platform::DialogSpec& dialog) {
        dialog["key"].selected = 1;
        dialog["object"].text = "9";
        return ModalResult::OK;
    });
    Choose("Sweep1");
    EXPECT_EQ(headless.messages, std::vector<std::string>{"The scene has no object number 9."});
}

}  // namespace
