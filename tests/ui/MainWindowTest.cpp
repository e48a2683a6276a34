// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "model/ObjektKreis.h"
#include "model/ProgramVersion.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegelKreis.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

namespace {

using brevanto::platform::DialogSpec;
using brevanto::platform::ModalResult;

using MainWindowTest = MainWindowTestOn<800, 600>;

// "Info" names the program with the build's version, in the caption's words,
// and its licence.
TEST_F(MainWindowTest, InfoShowsTheTitleWithTheBuildsVersionAndTheLicence) {
    EXPECT_EQ(form.Settings().titel, "Brevanto " + std::string(kProgramVersion));
    std::vector<std::string> captions;
    Answer([&](DialogSpec& dialog) {
        for (const platform::Control& control : dialog.controls) captions.push_back(control.caption);
        return ModalResult::OK;
    });
    Choose("Info1");
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Informations about Brevanto", form.Settings().titel, kLicenceNotice, "OK"}));
}

TEST_F(MainWindowTest, DragCreatesTheObjectOfTheModeAndReleaseOpensItsDialog) {
    Choose("LambertscherStrahler1");
    form.MousePressed(platform::MouseButton::Right, false, 100, 100);
    form.MouseReleased(platform::MouseButton::Right, 100, 100);
    EXPECT_EQ(form.Scene().size(), 1u) << "the right button draws nothing";

    form.MousePressed(platform::MouseButton::Left, true, 100, 100);
    form.MouseMoved(true, 200, 150);
    const auto* lambert = dynamic_cast<const TObjektLambert*>(&form.Scene().Tail());
    ASSERT_NE(lambert, nullptr);
    EXPECT_EQ((std::array{lambert->x1, lambert->y1, lambert->x2, lambert->y2}), (std::array{100, 100, 200, 150}));
    EXPECT_EQ(window.Caption(), "Brevanto 2.0 (X=200,Y=150)");
    EXPECT_TRUE(headless.shownDialogs.empty());
    form.Settings().berechnet = true;
    AnswerOk();
    form.MouseReleased(platform::MouseButton::Left, 200, 150);
    EXPECT_EQ(headless.shownDialogs, std::vector<std::string>{"Lambert-like emitter "});
    EXPECT_FALSE(form.Settings().berechnet);

    form.MousePressed(platform::MouseButton::Left, true, 50, 50);
    form.MouseReleased(platform::MouseButton::Left, 60, 60);
    EXPECT_EQ(form.Scene().size(), 2u) << "cancelling the dialog takes the new object back";
}

// Press at the centre, drag to a point of the circle, release for the dialog.
// A press without a drag leaves radius 0, removed before the next display.
TEST_F(MainWindowTest, CircularItemsDrawTheirKindFromTheCentre) {
    Choose("SpiegelDiffusor1");
    form.MousePressed(platform::MouseButton::Left, true, 200, 200);
    form.MouseMoved(true, 230, 240);
    const auto* circle = dynamic_cast<const TObjektKreis*>(&form.Scene().Tail());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->kind, "spiegelkreis");
    EXPECT_EQ((std::array{circle->xmitte, circle->ymitte, circle->radius}), (std::array{200, 200, 50}));
    AnswerOk();
    form.MouseReleased(platform::MouseButton::Left, 230, 240);
    Choose("Darstellungsformen1");
    EXPECT_EQ(Picture().Pixel(200, 150), 0) << "the circle is drawn";
    Answer([](DialogSpec&) { return ModalResult::No; });  // "Save changes?": discard
    Choose("SzeneObjekte2");
    form.MousePressed(platform::MouseButton::Left, true, 300, 300);
    AnswerOk();
    form.MouseReleased(platform::MouseButton::Left, 300, 300);
    EXPECT_EQ(form.Scene().size(), 2u);
    Choose("Vektorpfeile1");
    EXPECT_EQ(form.Scene().size(), 1u);
}

TEST_F(MainWindowTest, SceneItemsAddAndDeleteAll) {
    for (int i = 0; i < 3; ++i) AnswerOk();
    Choose("Sonne1");
    Choose("Sonne1");
    Choose("Hintergrundstrahlung1");
    EXPECT_EQ(form.Scene().size(), 3u) << "two suns; the background is edited, not added";
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Sun", "Sun", "Background radiation"}));

    form.Settings().sellaenge = 9;
    Answer([](DialogSpec&) { return ModalResult::No; });  // "Save changes?": discard
    Choose("SzeneObjekte2");
    EXPECT_EQ(form.Scene().size(), 1u);
    EXPECT_EQ(form.Settings().sellaenge, 9) << "deleting the objects keeps the settings";
}

TEST_F(MainWindowTest, ClickInSingleStreamLineModeTracesALineAndAddsNothing) {
    auto lambert = std::make_unique<TObjektLambert>(300, 300, 500, 300);
    lambert->staerke = 10;
    form.Scene().Append(std::move(lambert));
    Choose("EineStromlinie1");
    const auto before = Picture().BmpBytes();
    form.MousePressed(platform::MouseButton::Left, true, 400, 280);
    form.MouseReleased(platform::MouseButton::Left, 400, 280);
    EXPECT_EQ(form.Scene().size(), 2u);
    EXPECT_TRUE(headless.shownDialogs.empty());
    EXPECT_NE(Picture().BmpBytes(), before);
    EXPECT_EQ(window.Caption(), "Brevanto 2.0") << "back to the title after the computation";
}

TEST_F(MainWindowTest, ObjectManagerListsEditsAndDeletes) {
    for (int i = 0; i < 4; ++i) {
        AnswerOk({{"staerke", "1"}});
        Choose("Sonne1");
    }
    headless.shownDialogs.clear();
    std::vector<std::string> lines;
    auto press = [&](int line, ModalResult button) {
        Answer([&lines, line, button](DialogSpec& dialog) {
            lines = dialog["objects"].items;
            dialog["objects"].selected = line;
            return button;
        });
    };
    press(0, ModalResult::Delete);
    press(2, ModalResult::Delete);
    press(1, ModalResult::Edit);
    Answer([](DialogSpec&) { return ModalResult::OK; });  // the sun's own dialog
    press(-1, ModalResult::Quit);
    form.Settings().berechnet = true;
    Choose("Objektmanager1");

    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"You cannot delet the Background radiation,\rbut You can set it to Zero."});
    EXPECT_EQ(lines, (std::vector<std::string>{"1  :Background radiation", "2  :Sun", "3  :Sun", "4  :Sun"}));
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Object Manager", "Object Manager", "Object Manager",
                                                               "Sun", "Object Manager"}));
    EXPECT_FALSE(form.Settings().berechnet) << "the next display computes again";
}

// Each line tells where the object lies and what it sends out or passes on,
// beside its colour; the line chosen shows its object's handles in the
// window, and Cancel in the object's dialog leaves the object as it was.
TEST_F(MainWindowTest, ObjectManagerShowsEachObjectAndHighlightsTheChosenOne) {
    auto lambert = std::make_unique<TObjektLambert>(100, 100, 200, 150);
    lambert->staerke = 10;
    lambert->colour = 0x0000FF;
    form.Scene().Append(std::move(lambert));
    auto mirror = std::make_unique<TObjektSpiegelKreis>(300, 300, 300, 250);
    mirror->dirref = 50;
    mirror->difref = 20;
    mirror->winkel2 = 90;
    form.Scene().Append(std::move(mirror));
    AnswerOk({{"richtung", "30"}, {"staerke", "1"}});
    Choose("Sonne1");

    std::vector<std::string> details;
    std::vector<platform::TColor> swatches;
    platform::TColor handlePixel = 0;
    Answer([&](DialogSpec& dialog) {
        details = dialog["objects"].details;
        swatches = dialog["objects"].swatches;
        dialog["objects"].selected = 1;  // as a click on the line does
        dialog["objects"].onChoose(1);
        handlePixel = window.Surface().Pixel(100, 100);
        return ModalResult::Edit;
    });
    Answer([](DialogSpec& dialog) {
        dialog["x1"].text = "150";
        dialog["x2"].text = "5000";  // off the picture: refused
        return ModalResult::OK;
    });
    Answer([](DialogSpec&) { return ModalResult::Cancel; });
    Answer([](DialogSpec&) { return ModalResult::Quit; });
    Choose("Objektmanager1");

    EXPECT_EQ(details, (std::vector<std::string>{
                           "S = 0", "(100, 100) to (200, 150)   S = 10",
                           "centre (300, 300), radius 50, arc 0\u00b0 to 90\u00b0   reflects 50 %, diffusely 20 %; "
                           "transmits 0 %, diffusely 0 %",
                           "from 30\u00b0   S = 1"}));
    ASSERT_EQ(swatches.size(), 4u);
    EXPECT_EQ(swatches[1], 0x0000FF);
    EXPECT_EQ(headless.messages.size(), 1u) << "the point off the picture is refused";
    EXPECT_EQ(handlePixel, 0x0080FF) << "the chosen object's handle shows";
    EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[1]});
    EXPECT_EQ(dynamic_cast<const TObjektLambert&>(form.Scene()[1]).x1, 100) << "the cancelled edit is taken back";
}

TEST_F(MainWindowTest, ScreenDialogChangesColourOrStartsAfreshAtANewSize) {
    AnswerOk();
    Choose("Sonne1");
    Answer([](DialogSpec& dialog) {
        dialog["hintergrundfarbe"].selected = 1;
        return ModalResult::OK;
    });
    Choose("Bildschirm1");
    EXPECT_EQ(form.Scene().size(), 2u) << "an unchanged size keeps the scene";
    EXPECT_EQ(window.Surface().Pixel(10, 10), 0xFFFFFF);

    form.Settings().sellaenge = 9;
    Answer([](DialogSpec& dialog) {
        dialog["breite"].text = "640";
        return ModalResult::OK;
    });
    Answer([](DialogSpec&) { return ModalResult::No; });  // "Save changes?": discard
    Choose("Bildschirm1");
    EXPECT_EQ(form.Scene().size(), 1u);
    EXPECT_EQ(form.Settings().sellaenge, 5);
    EXPECT_EQ(form.Picture().Width(), 640);
    EXPECT_EQ(form.Settings().hintergrundfarbe, 0xFFFFFF) << "the new settings take the window's colour";

    // "New" gives the whole drawing area and the system's grey back.
    Answer([](DialogSpec&) { return ModalResult::No; });  // "Save changes?": discard
    Choose("Neu1");
    EXPECT_EQ(form.Picture().Width(), 800);
    EXPECT_EQ(form.Settings().breite, 800);
    EXPECT_EQ(form.Settings().hintergrundfarbe, platform::kButtonFaceColour);
    EXPECT_EQ(window.Color(), platform::kButtonFaceColour);
}

// The sun has no place in the picture: the window marks where its light
// comes from, inside the border, and the picture stays without it.
TEST_F(MainWindowTest, SunIsMarkedOnTheWindowWhereItsLightComesFrom) {
    AnswerOk({{"richtung", "90"}, {"staerke", "1"}});
    Choose("Sonne1");
    constexpr platform::TColor kOrange = 0x00A5FF;
    EXPECT_EQ(window.Surface().Pixel(800 - 12, 300), kOrange) << "from the right";
    EXPECT_NE(static_cast<const platform::RasterBitmap&>(form.Picture()).Pixel(800 - 12, 300), kOrange);
    EXPECT_NE(window.Surface().Pixel(400, 12), kOrange);
    Choose("Vektorpfeile1");
    EXPECT_EQ(window.Surface().Pixel(800 - 12, 300), kOrange) << "still, over a display";
    EXPECT_NE(static_cast<const platform::RasterBitmap&>(form.Picture()).Pixel(800 - 12, 300), kOrange);
}

// A selected parallel emitter shows the way its beam leaves, on both sides.
TEST_F(MainWindowTest, SelectedParallelEmitterShowsWhereItsBeamGoes) {
    form.Scene().Append(CreateObjectOfKind("parallel", 100, 300, 300, 300));
    form.RedrawAll();
    constexpr platform::TColor kHandles = 0x0080FF;
    EXPECT_NE(window.Surface().Pixel(200, 290), kHandles);
    form.Select(&form.Scene()[1]);
    EXPECT_EQ(window.Surface().Pixel(200, 290), kHandles) << "above";
    EXPECT_EQ(window.Surface().Pixel(200, 310), kHandles) << "below";
    EXPECT_NE(static_cast<const platform::RasterBitmap&>(form.Picture()).Pixel(200, 290), kHandles);
}

// Undo, Redo and "Delete selected object" are disabled while they cannot
// act, and their keys then do nothing.
TEST_F(MainWindowTest, ActionsThatCannotActAreDisabled) {
    auto enabled = [this](const std::string& name) {
        for (const platform::MenuItem& menu : window.Menu())
            for (const platform::MenuItem& item : menu.children)
                if (item.name == name) return item.Enabled();
        ADD_FAILURE() << name;
        return false;
    };
    EXPECT_FALSE(enabled("Rueckgaengig1") || enabled("Wiederholen1") || enabled("Entfernen1"));
    AnswerOk();
    Choose("Sonne1");
    EXPECT_TRUE(enabled("Rueckgaengig1"));
    EXPECT_FALSE(enabled("Wiederholen1"));
    window.Press(platform::StandardKey::Undo);
    EXPECT_FALSE(enabled("Rueckgaengig1"));
    EXPECT_TRUE(enabled("Wiederholen1"));
    window.Press(platform::StandardKey::Undo);  // nothing left: does nothing
    window.Press(platform::StandardKey::Redo);
    ASSERT_EQ(form.Scene().size(), 2u);
    form.Select(&form.Scene()[1]);
    EXPECT_TRUE(enabled("Entfernen1"));
    window.Press(platform::StandardKey::Delete);
    EXPECT_EQ(form.Scene().size(), 1u);
    EXPECT_FALSE(enabled("Entfernen1"));
}

}  // namespace
