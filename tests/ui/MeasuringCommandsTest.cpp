// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's measuring commands: the "Measure" mode, the colour maps
// and their dialogs, the energy balance and the verification.
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "display/ColourScale.h"
#include "files/SceneFile.h"
#include "model/LightMeter.h"
#include "model/ParallelFor.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSpiegel.h"
#include "platform/Conversions.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;
using namespace brevanto::files;

namespace {

using brevanto::platform::MouseButton;

// The main window on a headless 400 x 300 window, with a beam of 3 across
// the middle: 100 <= x <= 300, up from y = 150 and down from it.
class MeasuringCommandsTest : public MainWindowTestOn<400, 300> {
protected:
    MeasuringCommandsTest() {
        auto emitter = std::make_unique<TObjektParallel>(100, 150, 300, 150);
        emitter->staerke = 3;
        form.Scene().Append(std::move(emitter));
        form.NoteChanges();
    }

    void Click(int x, int y) {
        form.MousePressed(MouseButton::Left, true, x, y);
        form.MouseReleased(MouseButton::Left, x, y);
    }
    // The captions of the labels of the dialog shown next, answered with OK,
    // joined by line feeds.
    void LabelsOfNextDialog() {
        Answer([this](platform::DialogSpec& dialog) {
            shownCaption = dialog.caption;
            for (const platform::Control& control : dialog.controls)
                if (control.kind == platform::Control::Kind::Label) labels += "\n" + control.caption + "\n";
            return platform::ModalResult::OK;
        });
    }
    bool HasLabel(const std::string& text) const { return labels.find("\n" + text + "\n") != std::string::npos; }

    std::string shownCaption;
    std::string labels;
};

TEST_F(MeasuringCommandsTest, MeasureModeComputesFirstAndShowsEachClickInThePanel) {
    window.Press("M");

    Click(150, 100);
    EXPECT_TRUE(form.Settings().berechnet) << "the click computed the scene";
    Click(50, 100);
    ASSERT_EQ(window.measurements.size(), 2u);
    const platform::Measurement& inBeam = window.measurements[0];
    EXPECT_EQ(inBeam.x + inBeam.y, 250);
    EXPECT_DOUBLE_EQ(inBeam.sectors[9].energy, 3);
    EXPECT_EQ(window.measurements[1].energy, 0) << "beside the beam";
    EXPECT_EQ(form.CurrentMouseMode().Keyword(), "lichtmesser") << "the mode stays for the next click";
    EXPECT_TRUE(headless.messages.empty());
    form.Undo();
    EXPECT_EQ(form.Scene().size(), 1u) << "measuring left no undo step: the first undo takes the emitter back";
}

// Regression test: the panel kept the numbers of a scene that was no more.
TEST_F(MeasuringCommandsTest, TheMetersReadingGoesWithEveryChangeOfTheScene) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"dialog",
         [&] {
             AnswerOk({{"staerke", "2"}}), Choose("Hintergrundstrahlung1");
         }},
        {"undo", [&] { form.Undo(); }},
        {"delete all",
         [&] { Answer([](platform::DialogSpec&) { return platform::ModalResult::No; }), Choose("SzeneObjekte2"); }},
        {"resolution",
         [&] {
             AnswerOk({{"sellaenge", "4"}}), Choose("Auflsung1");
         }},
        {"new", [&] { Answer([](platform::DialogSpec&) { return platform::ModalResult::No; }), Choose("Neu1"); }},
    };
    for (const auto& [what, change] : changes) {
        window.Press("M");
        Click(150, 100);
        ASSERT_TRUE(window.measurementShown) << what;
        change();
        EXPECT_FALSE(window.measurementShown) << what;
        EXPECT_TRUE(headless.dialogAnswers.empty()) << what;
    }
    window.Press("M");
    Click(150, 100);
    Choose("Vektorpfeile1");
    EXPECT_TRUE(window.measurementShown) << "a display changes nothing of the scene";
}

// Each click, or a point typed in, adds a reading, marked on the window with
// its number. A change of the scene keeps the points but not their numbers;
// the next measurement measures them all again. The table goes onto the
// clipboard tab-separated and into a CSV file.
TEST_F(MeasuringCommandsTest, ReadingsCollectFollowTheSceneAndGoToClipboardAndFile) {
    window.Press("M");
    Click(150, 100);
    AnswerOk({{"x", "250"}, {"y", "200"}});
    Choose("MessenAnPunkt1");
    ASSERT_EQ(window.readings.rows.size(), 2u);
    EXPECT_EQ(window.readings.columns,
              (std::vector<std::string>{"No.", "X", "Y", "Fx", "Fy", "|F|", "Direction", "E", "|F|/E"}));
    EXPECT_EQ(window.readings.rows[0], (std::vector<std::string>{"1", "150", "100", "0", "-3", "3", "90", "3", "1"}));
    EXPECT_EQ(window.readings.rows[1], (std::vector<std::string>{"2", "250", "200", "0", "3", "3", "270", "3", "1"}));
    EXPECT_EQ(window.Surface().Pixel(150 + 5, 100), 0xFF0080) << "the first point's mark";

    dynamic_cast<TObjektParallel&>(form.Scene()[1]).staerke = 6;
    form.NoteChanges();
    EXPECT_EQ(window.readings.rows[0], (std::vector<std::string>{"1", "150", "100"})) << "out of date";
    Click(50, 100);
    ASSERT_EQ(window.readings.rows.size(), 3u);
    EXPECT_EQ(window.readings.rows[0][4], "-6") << "measured again";
    EXPECT_EQ(window.readings.rows[2][7], "0") << "beside the beam";

    Choose("MesswerteKopieren1");
    EXPECT_EQ(headless.ClipboardText(),
              "No.\tX\tY\tFx\tFy\t|F|\tDirection\tE\t|F|/E\n1\t150\t100\t0\t-6\t6\t90\t6\t1\n"
              "2\t250\t200\t0\t6\t6\t270\t6\t1\n3\t50\t100\t0\t0\t0\t0\t0\t0\n");
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "brevanto-readings-test.csv";
    headless.fileNameAnswers.push_back(file.string());
    Choose("MesswerteExportieren1");
    std::ifstream written(file);
    std::string header;
    std::getline(written, header);
    EXPECT_EQ(header, "No.,X,Y,Fx,Fy,|F|,Direction,E,|F|/E");
    std::filesystem::remove(file);

    Choose("MesswerteLoeschen1");
    EXPECT_TRUE(window.readings.rows.empty());
    EXPECT_NE(window.Surface().Pixel(150 + 5, 100), 0xFF0080);
}

// A point off the picture is refused at its field.
TEST_F(MeasuringCommandsTest, TypedPointMustLieInThePicture) {
    std::string focus;
    Answer([&](platform::DialogSpec& dialog) {
        dialog["x"].text = "10";
        dialog["y"].text = "300";
        return platform::ModalResult::OK;
    });
    Answer([&](platform::DialogSpec& dialog) {
        focus = dialog.focus;
        return platform::ModalResult::Cancel;
    });
    Choose("MessenAnPunkt1");
    EXPECT_EQ(headless.messages, std::vector<std::string>{"The point must lie in the picture."});
    EXPECT_EQ(focus, "y");
    EXPECT_TRUE(window.readings.rows.empty());
}

// Regression test: answering No to the question before a long computation
// measured and balanced the uncomputed scene.
TEST_F(MeasuringCommandsTest, NoToTheQuestionBeforeAComputationShowsNoResults) {
    form.Scene().Append(std::make_unique<TObjektSpiegel>(100, 50, 300, 50));
    form.Settings().abbruchgenauigkeit = 0;
    form.Settings().maximaleiterationen = 1000000;
    headless.questionAnswers = {false, false};
    window.Press("M");
    Click(150, 100);
    Choose("Energiebilanz1");
    EXPECT_EQ(headless.questions.size(), 2u);
    EXPECT_TRUE(window.measurements.empty());
    EXPECT_TRUE(headless.shownDialogs.empty());
}

// A computation that stops at its pass limit while the mirrors still change
// shows its results, marked in the status line and the balance.
TEST_F(MeasuringCommandsTest, ResultsOfAComputationStoppedAtItsLimitAreMarkedNotConverged) {
    auto mirror = std::make_unique<TObjektSpiegel>(100, 50, 300, 50);
    mirror->difref = 60;
    form.Scene().Append(std::move(mirror));
    form.Scene().Append(std::make_unique<TObjektSpiegel>(100, 250, 300, 250));
    dynamic_cast<TObjektSpiegel&>(form.Scene().Tail()).difref = 60;
    form.Settings().maximaleiterationen = 1;
    form.NoteChanges();
    Choose("Vektorpfeile1");
    const std::string note =
        "Not converged: the iteration stopped at its limit of 1 passes before the stop criterion was met.";
    EXPECT_NE(window.statusText.find(note), std::string::npos) << window.statusText;
    LabelsOfNextDialog();
    Choose("Energiebilanz1");
    EXPECT_TRUE(HasLabel(note));

    AnswerOk({{"maximaleiterationen", "50"}});
    Choose("Iterationen1");
    EXPECT_EQ(window.statusText.find("Not converged"), std::string::npos) << "no results to mark";
    Choose("Vektorpfeile1");
    EXPECT_EQ(window.statusText.find("Not converged"), std::string::npos) << window.statusText;
}

// Regression test: a map whose settings changed while it was shown stayed as
// it was drawn until it was chosen again.
TEST_F(MeasuringCommandsTest, AShownMapFollowsItsSettings) {
    Choose("Energiedichtekarte1");
    const std::vector<uint8_t> linear = Picture().BmpBytes();
    Answer([](platform::DialogSpec& dialog) {
        dialog["logarithmic"].checked = true;
        dialog["linear"].checked = false;
        return platform::ModalResult::OK;
    });
    Choose("Energiedichtekarte2");
    const std::vector<uint8_t> shown = Picture().BmpBytes();
    EXPECT_NE(shown, linear);
    Choose("Energiedichtekarte1");
    EXPECT_EQ(Picture().BmpBytes(), shown) << "as chosen afresh";
}

TEST_F(MeasuringCommandsTest, MapsFromTheMenuColourThePictureOverAFreshRedraw) {
    const platform::TColor plain = window.Surface().Pixel(200, 60);
    Choose("Diffusitaet1");
    EXPECT_EQ(window.Surface().Pixel(200, 60), RampColour(0));
    EXPECT_EQ(window.Surface().Pixel(40, 60), plain) << "no light: the picture as it was";
    Choose("Energiedichtekarte1");
    EXPECT_EQ(window.Surface().Pixel(200, 60), RampColour(1)) << "the largest energy density";
    Choose("Darstellungsformen1");
    EXPECT_EQ(window.Surface().Pixel(200, 60), plain);
    EXPECT_TRUE(headless.messages.empty());
}

// Regression test: choosing a mode redrew the scene and wiped the map one
// wanted to measure on.
TEST_F(MeasuringCommandsTest, MeasuringOnAMapKeepsTheMap) {
    Choose("Diffusitaet1");
    const std::vector<uint8_t> map = window.Surface().BmpBytes();
    window.Press("M");
    Click(200, 60);
    EXPECT_EQ(Picture().BmpBytes(), map);
    EXPECT_EQ(window.Surface().Pixel(205, 60), 0xFF0080) << "the point measured is marked over the map";
    EXPECT_EQ(window.Surface().Pixel(100, 100), Picture().Pixel(100, 100));
    ASSERT_EQ(window.measurements.size(), 1u);
    EXPECT_DOUBLE_EQ(window.measurements[0].directedness, 1);
}

TEST_F(MeasuringCommandsTest, MapSettingsAreNeitherInTheSceneFileNorUndoSteps) {
    const std::string before = SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
    AnswerOk({{"gitterweite", "7"}});
    Choose("Diffusitaet2");
    Answer([](platform::DialogSpec& dialog) {
        dialog["logarithmic"].checked = true;
        dialog["linear"].checked = false;
        return platform::ModalResult::OK;
    });
    Choose("Energiedichtekarte2");
    EXPECT_EQ(form.MapSettings().diffuseness.gitterweite, 7);
    EXPECT_TRUE(form.MapSettings().energyDensity.logarithmic);
    EXPECT_EQ(SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text(), before);
    form.Undo();
    EXPECT_EQ(form.Scene().size(), 1u) << "no undo steps: the first undo takes the emitter back";
    EXPECT_EQ(form.MapSettings().diffuseness.gitterweite, 7) << "and leaves the maps' settings";
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Diffuseness map", "Energy density map"}));
}

TEST_F(MeasuringCommandsTest, EnergyBalanceListsEveryObjectAndWhereThePowerGoes) {
    auto mirror = std::make_unique<TObjektSpiegel>(100, 50, 300, 50);
    mirror->difref = 30;
    form.Scene().Append(std::move(mirror));
    LabelsOfNextDialog();
    Choose("Energiebilanz1");
    EXPECT_EQ(shownCaption, "Energy balance");
    EXPECT_TRUE(form.Settings().berechnet) << "computed first";
    EXPECT_TRUE(HasLabel("1200")) << "the beam's 3 * 200 on each side";
    EXPECT_TRUE(HasLabel("180")) << "30 % of it reflected";
    EXPECT_NE(labels.find("\nImbalance: "), std::string::npos);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(MeasuringCommandsTest, VerificationShowsEveryCaseWithinItsTolerance) {
    LabelsOfNextDialog();
    Choose("Verifikation1");
    EXPECT_TRUE(HasLabel("Every case lies within its tolerance."));

    form.Settings().sellaenge = 0;
    Choose("Verifikation1");
    ASSERT_EQ(headless.messages.size(), 1u) << "an unusable resolution is refused as the computation refuses it";
}

// Regression test: the balance's own work was never estimated, so the window
// froze without a question while it counted the power of thousands of
// surfaces, and nothing could stop it. It is asked for like a display now,
// shows its progress, and Cancel ends it with the usual message.
TEST_F(MeasuringCommandsTest, LongEnergyBalanceIsAskedForFirstAndCanBeCancelled) {
    SetThreadCount(1);
    form.Settings().sellaenge = 1;
    for (int i = 0; i < 6000; ++i)  // the computation has nothing to iterate
        form.Scene().Append(std::make_unique<TObjektAbsorber>(0, i % 100 * 3, 400, i % 100 * 3 + i / 100 + 1));
    headless.questionAnswers.push_back(false);
    Choose("Energiebilanz1");
    ASSERT_EQ(headless.questions.size(), 1u);
    EXPECT_TRUE(headless.questions[0].starts_with("This will take a long time (about ")) << headless.questions[0];
    EXPECT_FALSE(form.Settings().berechnet);
    EXPECT_EQ(headless.progressShown, 0);

    headless.questionAnswers.push_back(true);
    headless.cancelWhen = [&] {
        return !headless.progressTexts.empty() && headless.progressTexts.back().ends_with("energy balance.");
    };
    Choose("Energiebilanz1");
    EXPECT_EQ(headless.messages, std::vector<std::string>{"The computation was stopped before it was complete."});
    EXPECT_TRUE(headless.shownDialogs.empty());
    EXPECT_EQ(headless.progressTexts.back(), "Brevanto 2.0 is measuring the energy balance.");
    EXPECT_TRUE(form.Settings().berechnet) << "the computation was done; the balance was stopped";
    EXPECT_FALSE(headless.progressVisible);
    SetThreadCount(0);
}

}  // namespace
