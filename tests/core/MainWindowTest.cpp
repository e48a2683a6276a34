#include <gtest/gtest.h>

#include "model/Programvar.h"
#include "objects/ObjektLambert.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Brevanto.h"
#include "ui/MainMenu.h"

namespace {

using platform::DialogSpec;
using platform::ModalResult;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { platform::SetCurrentPlatform(&headless); }
    ~MainWindowTest() override { platform::SetCurrentPlatform(nullptr); }

    // The menu item as the window runs it, errors shown as messages.
    void Choose(const std::string& name) {
        for (const MenuItem& top : MainMenu())
            for (const MenuItem& item : top.children)
                if (item.name == name) item.action(form);
    }
    void Answer(std::function<ModalResult(DialogSpec&)> answer) { headless.dialogAnswers.push_back(answer); }
    const platform::RasterBitmap& Picture() { return dynamic_cast<const platform::RasterBitmap&>(form.Picture()); }

    platform::HeadlessPlatform headless;
    platform::HeadlessWindow window{800, 600};
    TForm1 form{headless, window};
};

TEST_F(MainWindowTest, DragCreatesTheObjectOfTheModeAndReleaseOpensItsDialog) {
    form.FormMouseDown(MouseButton::Left, true, 5, 5);
    EXPECT_EQ(form.SceneList().size(), 1u) << "no mode, nothing drawn";
    form.SetDrawingMode("lambert");
    form.FormMouseDown(MouseButton::Right, false, 100, 100);
    form.FormMouseUp(MouseButton::Right, 100, 100);
    EXPECT_EQ(form.SceneList().size(), 1u) << "the right button draws nothing";

    form.FormMouseDown(MouseButton::Left, true, 100, 100);
    form.FormMouseMove(true, 200, 150);
    const auto* lambert = dynamic_cast<const TObjektLambert*>(&form.SceneList().Tail());
    ASSERT_NE(lambert, nullptr);
    EXPECT_EQ((std::array{lambert->x1, lambert->y1, lambert->x2, lambert->y2}), (std::array{100, 100, 200, 150}));
    EXPECT_EQ(Picture().Pixel(150, 125), 0) << "the rubber band is drawn";
    EXPECT_EQ(window.Caption(), "Brevanto 2.0 (X=200,Y=150)");
    EXPECT_TRUE(headless.shownDialogs.empty());
    prgvar().berechnet = true;
    form.FormMouseUp(MouseButton::Left, 200, 150);
    EXPECT_EQ(headless.shownDialogs, std::vector<std::string>{"Lambert-like emitter "});
    EXPECT_FALSE(prgvar().berechnet);

    form.FormMouseDown(MouseButton::Left, true, 5, 5);
    form.FormMouseUp(MouseButton::Left, 5, 5);
    EXPECT_EQ(form.SceneList().size(), 3u) << "a single click stays until the scene is cleaned";
}

TEST_F(MainWindowTest, SceneItemsNewAndDeleteAll) {
    form.Sonne1Click();
    form.Sonne1Click();
    form.Hintergrundstrahlung1Click();
    EXPECT_EQ(form.SceneList().size(), 3u) << "two suns; the background is edited, not added";
    EXPECT_EQ(headless.shownDialogs, (std::vector<std::string>{"Sun", "Sun", "Background radiation"}));

    prgvar().sellaenge = 9;
    form.SzeneObjekte2Click();
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_EQ(prgvar().sellaenge, 9) << "deleting the objects keeps the settings";
    form.Neu1Click();
    Answer([](DialogSpec& dialog) {
        EXPECT_EQ(dialog.controls[0].text, "5");
        EXPECT_EQ(dialog.controls[1].text, "102");
        return ModalResult::OK;
    });
    form.Auflsung1Click();
    EXPECT_EQ(window.Surface().Pixel(400, 300), 0xF0F0F0) << "the empty picture in the window's colour";

    Answer([](DialogSpec& dialog) {
        for (auto& control : dialog.controls) control.text = "many";
        return ModalResult::OK;
    });
    Choose("Iterationen1");
    ASSERT_EQ(headless.messages.size(), 1u) << "the conversion error reaches the user";
    EXPECT_EQ(prgvar().maximaleiterationen, 50);
}

TEST_F(MainWindowTest, ClickInSingleStreamLineModeTracesALineAndAddsNothing) {
    auto lambert = std::make_unique<TObjektLambert>(300, 300, 500, 300);
    lambert->staerke = 10;
    form.SceneList().Append(std::move(lambert));
    form.SetDrawingMode("einestromlinie");
    const auto before = Picture().BmpBytes();
    form.FormMouseDown(MouseButton::Left, true, 400, 280);
    form.FormMouseUp(MouseButton::Left, 400, 280);
    EXPECT_EQ(form.SceneList().size(), 2u);
    EXPECT_TRUE(headless.shownDialogs.empty());
    EXPECT_NE(Picture().BmpBytes(), before);
    EXPECT_EQ(window.Caption(), "Brevanto 2.0") << "back to the title after the computation";
}

TEST_F(MainWindowTest, ObjectManagerListsEditsAndDeletes) {
    for (int i = 0; i < 4; ++i) form.Sonne1Click();
    headless.shownDialogs.clear();
    std::vector<std::string> lines;
    auto press = [&](int line, ModalResult button) {
        Answer([&lines, line, button](DialogSpec& dialog) {
            lines = dialog["ListBox1"].items;
            dialog["ListBox1"].selected = line;
            return button;
        });
    };
    press(0, ModalResult::Delete);
    press(2, ModalResult::Delete);
    press(1, ModalResult::Edit);
    Answer([](DialogSpec&) { return ModalResult::OK; });  // the sun's own dialog
    press(-1, ModalResult::Quit);
    prgvar().berechnet = true;
    form.Objektmanager1Click();

    EXPECT_EQ(headless.messages,
              std::vector<std::string>{"You cannot delet the Background radiation,\rbut You can set it to Zero."});
    EXPECT_EQ(lines, (std::vector<std::string>{"1  :Background radiation", "2  :Sun", "3  :Sun", "4  :Sun"}));
    EXPECT_EQ(headless.shownDialogs,
              (std::vector<std::string>{"Object Manager", "Object Manager", "Object Manager", "Sun", "Object Manager"}));
    EXPECT_FALSE(prgvar().berechnet) << "the next display computes again";
}

TEST_F(MainWindowTest, ScreenDialogChangesColourOrStartsAfreshAtANewSize) {
    form.Sonne1Click();
    Answer([](DialogSpec& dialog) {
        dialog["ComboBox1"].selected = 1;
        return ModalResult::OK;
    });
    form.Bildschirm1Click();
    EXPECT_EQ(form.SceneList().size(), 2u) << "an unchanged size keeps the scene";
    EXPECT_EQ(window.Surface().Pixel(10, 10), 0xFFFFFF);

    prgvar().sellaenge = 9;
    Answer([](DialogSpec& dialog) {
        dialog["Width"].text = "640";
        return ModalResult::OK;
    });
    form.Bildschirm1Click();
    EXPECT_EQ(form.SceneList().size(), 1u);
    EXPECT_EQ(prgvar().sellaenge, 5);
    EXPECT_EQ(form.Picture().Width(), 640);
    EXPECT_EQ(prgvar().hintergrundfarbe, 0xFFFFFF) << "the new settings take the window's colour";

    Answer([](DialogSpec& dialog) {
        dialog["ComboBox1"].selected = 0;
        dialog["Height"].text = "tall";
        return ModalResult::OK;
    });
    Choose("Bildschirm1");
    EXPECT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(prgvar().hintergrundfarbe, platform::kButtonFaceColour) << "chosen before the bad height";
}

}  // namespace
