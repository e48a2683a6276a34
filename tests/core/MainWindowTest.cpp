#include <gtest/gtest.h>

#include "model/Programvar.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSonne.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Brevanto.h"
#include "ui/MainMenu.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { platform::SetCurrentPlatform(&headless); }
    ~MainWindowTest() override { platform::SetCurrentPlatform(nullptr); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{800, 600};
    TForm1 form{headless, window};
};

TEST_F(MainWindowTest, DragCreatesTheObjectOfTheModeAndReleaseOpensItsDialog) {
    form.SetDrawingMode("lambert");
    form.FormMouseDown(MouseButton::Left, true, 100, 100);
    form.FormMouseMove(true, 200, 150);
    ASSERT_EQ(form.SceneList().size(), 2u);
    const auto* lambert = dynamic_cast<const TObjektLambert*>(&form.SceneList().Tail());
    ASSERT_NE(lambert, nullptr);
    EXPECT_EQ(lambert->x1, 100);
    EXPECT_EQ(lambert->y1, 100);
    EXPECT_EQ(lambert->x2, 200);
    EXPECT_EQ(lambert->y2, 150);
    EXPECT_EQ(window.Caption(), "Brevanto 2.0 (X=200,Y=150)");
    EXPECT_TRUE(headless.shownDialogs.empty());
    prgvar().berechnet = true;
    form.FormMouseUp(MouseButton::Left, 200, 150);
    EXPECT_EQ(headless.shownDialogs, std::vector<std::string>{"Lambert-like emitter "});
    EXPECT_FALSE(prgvar().berechnet);
}

TEST_F(MainWindowTest, RightButtonAndEmptyModeAddNothing) {
    form.SetDrawingMode("absorber");
    form.FormMouseDown(MouseButton::Right, false, 100, 100);
    form.FormMouseUp(MouseButton::Right, 100, 100);
    form.SetDrawingMode("");
    form.FormMouseDown(MouseButton::Left, true, 100, 100);
    form.FormMouseUp(MouseButton::Left, 100, 100);
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_TRUE(headless.shownDialogs.empty());
}

TEST_F(MainWindowTest, DrawnLineAppearsInThePictureAndAClickLeavesADegenerateObject) {
    form.SetDrawingMode("spiegel");
    form.FormMouseDown(MouseButton::Left, true, 10, 20);
    form.FormMouseMove(true, 60, 20);
    const auto& picture = dynamic_cast<const platform::RasterBitmap&>(form.Picture());
    EXPECT_EQ(picture.Pixel(30, 20), 0) << "a black line";
    form.FormMouseUp(MouseButton::Left, 60, 20);
    form.FormMouseDown(MouseButton::Left, true, 5, 5);
    form.FormMouseUp(MouseButton::Left, 5, 5);
    EXPECT_EQ(form.SceneList().size(), 3u) << "the single click stays until the scene is cleaned";
    form.SceneList().CleanAndNumber();
    EXPECT_EQ(form.SceneList().size(), 2u);
}

TEST_F(MainWindowTest, SunItemAddsASunEachTimeAndBackgroundItemEditsTheHead) {
    form.Sonne1Click();
    form.Sonne1Click();
    EXPECT_EQ(form.SceneList().size(), 3u);
    EXPECT_NE(dynamic_cast<const TObjektSonne*>(&form.SceneList().Tail()), nullptr);
    form.Hintergrundstrahlung1Click();
    EXPECT_EQ(form.SceneList().size(), 3u);
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Sun", "Sun", "Background radiation"}));
}

TEST_F(MainWindowTest, NewAndDeleteAllEmptyTheScene) {
    prgvar().sellaenge = 9;
    form.Sonne1Click();
    form.SzeneObjekte2Click();
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_EQ(prgvar().sellaenge, 9) << "deleting the objects keeps the settings";
    form.Sonne1Click();
    form.Neu1Click();
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_EQ(prgvar().sellaenge, 5);
    const auto& surface = window.Surface();
    EXPECT_EQ(surface.Pixel(400, 300), 0xF0F0F0) << "the empty picture in the window's colour";
}

}  // namespace

namespace {

TEST_F(MainWindowTest, NewShowsTheDefaultResolutionAgainAndBadIterationTextIsReported) {
    prgvar().sellaenge = 9;
    form.Neu1Click();
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        std::vector<std::string> texts;
        for (const auto& control : dialog.controls)
            if (control.kind == platform::Control::Kind::Edit) texts.push_back(control.text);
        EXPECT_EQ(texts, (std::vector<std::string>{"5", "102"}));
        return platform::ModalResult::OK;
    });
    form.Auflsung1Click();
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        for (auto& control : dialog.controls)
            if (control.kind == platform::Control::Kind::Edit) control.text = "many";
        return platform::ModalResult::OK;
    });
    for (const MenuItem& top : MainMenu())
        for (const MenuItem& item : top.children)
            if (item.name == "Iterationen1") item.action(form);
    ASSERT_EQ(headless.messages.size(), 1u) << "the conversion error reaches the user";
    EXPECT_NE(headless.messages[0].find("many"), std::string::npos);
    EXPECT_EQ(prgvar().maximaleiterationen, 50);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, ClickInSingleStreamLineModeTracesALineAndAddsNothing) {
    auto lambert = std::make_unique<TObjektLambert>(300, 300, 500, 300);
    lambert->staerke = 10;
    form.SceneList().Append(std::move(lambert));
    form.SetDrawingMode("einestromlinie");
    const auto before = dynamic_cast<const platform::RasterBitmap&>(form.Picture()).BmpBytes();
    form.FormMouseDown(MouseButton::Left, true, 400, 280);
    form.FormMouseUp(MouseButton::Left, 400, 280);
    EXPECT_EQ(form.SceneList().size(), 2u);
    EXPECT_TRUE(headless.shownDialogs.empty());
    EXPECT_NE(dynamic_cast<const platform::RasterBitmap&>(form.Picture()).BmpBytes(), before);
    EXPECT_EQ(window.Caption(), "Brevanto 2.0") << "back to the title after the computation";
}

}  // namespace

namespace {

// Answers the object manager: selects a line and presses a button.
platform::ModalResult Press(platform::DialogSpec& dialog, int line, platform::ModalResult button) {
    dialog["ListBox1"].selected = line;
    return button;
}

TEST_F(MainWindowTest, ObjectManagerListsEditsAndDeletes) {
    using platform::ModalResult;
    for (int i = 0; i < 4; ++i) form.Sonne1Click();
    std::vector<std::string> shownLines;
    headless.dialogAnswers.push_back([&](platform::DialogSpec& d) {
        shownLines = d["ListBox1"].items;
        return Press(d, 0, ModalResult::Delete);
    });
    headless.dialogAnswers.push_back([](platform::DialogSpec& d) { return Press(d, 2, ModalResult::Delete); });
    headless.dialogAnswers.push_back([&](platform::DialogSpec& d) {
        shownLines = d["ListBox1"].items;
        return Press(d, 1, ModalResult::Edit);
    });
    headless.dialogAnswers.push_back([](platform::DialogSpec&) { return ModalResult::OK; });  // the sun's dialog
    headless.dialogAnswers.push_back([](platform::DialogSpec& d) { return Press(d, -1, ModalResult::Quit); });
    headless.shownDialogs.clear();
    prgvar().berechnet = true;
    form.Objektmanager1Click();

    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"You cannot delet the Background radiation,\rbut You can set it to Zero."});
    EXPECT_EQ(shownLines, (std::vector<std::string>{"1  :Background radiation", "2  :Sun", "3  :Sun", "4  :Sun"}));
    EXPECT_EQ(form.SceneList().size(), 4u);
    EXPECT_EQ(headless.shownDialogs,
              (std::vector<std::string>{"Object Manager", "Object Manager", "Object Manager", "Sun", "Object Manager"}));
    EXPECT_FALSE(prgvar().berechnet) << "the next display computes again";
}

TEST_F(MainWindowTest, ScreenDialogChangesColourOrStartsAfreshAtANewSize) {
    form.Sonne1Click();
    headless.dialogAnswers.push_back([](platform::DialogSpec& d) {
        d["ComboBox1"].selected = 1;
        return platform::ModalResult::OK;
    });
    form.Bildschirm1Click();
    EXPECT_EQ(form.SceneList().size(), 2u) << "an unchanged size keeps the scene";
    EXPECT_EQ(window.Surface().Pixel(10, 10), 0xFFFFFF);

    prgvar().sellaenge = 9;
    headless.dialogAnswers.push_back([](platform::DialogSpec& d) {
        d["Width"].text = "640";
        return platform::ModalResult::OK;
    });
    form.Bildschirm1Click();
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_EQ(prgvar().breite, 640);
    EXPECT_EQ(prgvar().sellaenge, 5);
    EXPECT_EQ(form.Picture().Width(), 640);
    EXPECT_EQ(prgvar().hintergrundfarbe, 0xFFFFFF) << "the new settings take the window's colour";

    headless.dialogAnswers.push_back([](platform::DialogSpec& d) {
        d["ComboBox1"].selected = 0;
        d["Height"].text = "tall";
        return platform::ModalResult::OK;
    });
    for (const MenuItem& top : MainMenu())
        for (const MenuItem& item : top.children)
            if (item.name == "Bildschirm1") item.action(form);
    EXPECT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(prgvar().hintergrundfarbe, platform::kButtonFaceColour) << "chosen before the bad height";
    EXPECT_EQ(window.ClientWidth(), 640);
}

TEST_F(MainWindowTest, InfoNamesTheProgram) {
    headless.dialogAnswers.push_back([](platform::DialogSpec& d) {
        EXPECT_EQ(d.caption, "Informations about Brevanto 2.0");
        EXPECT_EQ(d.controls[1].caption, "Brevanto 2.0");
        return platform::ModalResult::OK;
    });
    form.Info1Click();
    EXPECT_EQ(headless.shownDialogs.size(), 1u);
}

}  // namespace
