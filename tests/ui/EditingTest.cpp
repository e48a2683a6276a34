// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting and moving with the mouse, undo and redo, unsaved changes.
#include <array>
#include <filesystem>

#include "SceneFileFixture.h"
#include "model/ObjektGerade.h"
#include "model/ObjektKreis.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegelKreis.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

namespace {

using brevanto::platform::DialogSpec;
using brevanto::platform::ModalResult;
using brevanto::platform::MouseButton;

class EditingTest : public SceneFileTest {
protected:
    // Draws an object of the menu item's kind from one point to the other and
    // confirms its dialog, with these texts typed in.
    void Draw(const std::string& item, int x1, int y1, int x2, int y2,
              std::vector<std::pair<std::string, std::string>> texts = {}, platform::HeldKeys held = {}) {
        Choose(item);
        form.MousePressed(MouseButton::Left, true, x1, y1, held);
        form.MouseMoved(true, x2, y2, held);
        AnswerOk(std::move(texts));
        form.MouseReleased(MouseButton::Left, x2, y2);
    }
    // A drag in the current mode from one point to the other.
    void Drag(int x1, int y1, int x2, int y2, platform::HeldKeys held = {}) {
        form.MousePressed(MouseButton::Left, true, x1, y1, held);
        form.MouseMoved(true, (x1 + x2) / 2, (y1 + y2) / 2, held);
        form.MouseMoved(true, x2, y2, held);
        form.MouseReleased(MouseButton::Left, x2, y2);
    }
    std::array<int32_t, 4> Ends(size_t index) {
        const auto& line = dynamic_cast<const TObjektGerade&>(form.Scene()[index]);
        return {line.x1, line.y1, line.x2, line.y2};
    }
    void Select() { window.Press("Esc"); }
    // The question names the scene's file, when it has one.
    void AnswerSaveChanges(ModalResult button, std::string question = "Save changes?") {
        Answer([button, question](DialogSpec& dialog) {
            EXPECT_EQ(dialog.controls[0].caption, question);
            return button;
        });
    }
    TObjektLambert& Emitter(size_t index) { return dynamic_cast<TObjektLambert&>(form.Scene()[index]); }
};

TEST_F(EditingTest, ClickNearAnObjectSelectsTheTopmostAndDeleteRemovesIt) {
    Draw("LambertscherStrahler1", 100, 100, 300, 100);
    Draw("Absorber1", 200, 50, 200, 150);
    Select();
    EXPECT_EQ(form.CurrentMouseMode().Keyword(), "");
    form.MousePressed(MouseButton::Left, true, 200, 102);
    EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[2]})
        << "where both are near, the one drawn last";
    EXPECT_EQ(window.Surface().Pixel(200, 150), 0x0080FF) << "a handle on the absorber's end";
    form.MousePressed(MouseButton::Left, true, 120, 103);
    EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[1]});
    form.MousePressed(MouseButton::Left, true, 2, 300);
    EXPECT_TRUE(form.SelectedObjects().empty()) << "the background radiation cannot be selected";
    form.MousePressed(MouseButton::Left, true, 120, 103);
    window.Press(platform::StandardKey::Delete);
    EXPECT_EQ(form.Scene().size(), 2u);
    EXPECT_EQ(form.Scene()[1].kind, "absorber");
}

TEST_F(EditingTest, DraggingAHandleMovesThatPointDraggingTheObjectMovesItWholeAndCancelKeepsIt) {
    Draw("LambertscherStrahler1", 100, 100, 300, 100, {{"staerke", "5"}});
    Select();
    form.Settings().berechnet = true;
    Drag(301, 101, 350, 180);  // the handle on point 2
    EXPECT_EQ((std::array{Emitter(1).x1, Emitter(1).y1, Emitter(1).x2, Emitter(1).y2}),
              (std::array{100, 100, 350, 180}));
    EXPECT_FALSE(form.Settings().berechnet);
    Drag(150, 116, 160, 96);  // on the segment: the whole emitter
    EXPECT_EQ((std::array{Emitter(1).x1, Emitter(1).y1, Emitter(1).x2, Emitter(1).y2}),
              (std::array{110, 80, 360, 160}));

    Draw("SpiegelDiffusor1", 500, 300, 540, 330, {{"dirref", "50"}});
    Select();
    auto& ring = dynamic_cast<TObjektKreis&>(form.Scene()[2]);
    Drag(500, 300, 520, 310);  // the centre
    EXPECT_EQ((std::array{ring.xmitte, ring.ymitte, ring.radius}), (std::array{520, 310, 50}));
    const Handle arc = ring.Handles()[1];
    Drag(arc.x, arc.y, 520, 310 + 80);
    EXPECT_EQ(ring.radius, 80);

    // Typed, refused for the point off the screen, then cancelled: as it was.
    headless.messages.clear();  // the mirror's advice on the number of directions
    AnswerOk({{"staerke", "9"}, {"x2", "5000"}});
    form.MouseDoubleClicked(MouseButton::Left, 235, 120);
    EXPECT_EQ(headless.messages, std::vector<std::string>{"All points must be on the screen."});
    EXPECT_EQ(Emitter(1).staerke, 5);
    EXPECT_EQ(Emitter(1).x2, 360);
}

// A point drawn or dragged near another object's point lands on it, marked
// while the mouse is held; Alt or the menu's switch leaves it where it is.
// Shift turns a straight object in steps of 15 degrees.
TEST_F(EditingTest, PointsSnapOntoOtherObjectsAndShiftTurnsInStepsOf15Degrees) {
    constexpr platform::TColor kMarker = 0xFF00FF;
    const auto markerShown = [this](int x, int y) {
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                if (window.Surface().Pixel(x + dx, y + dy) == kMarker) return true;
        return false;
    };
    Draw("Absorber1", 100, 100, 300, 100);
    Choose("Absorber1");
    form.MousePressed(MouseButton::Left, true, 303, 102);
    EXPECT_TRUE(markerShown(300, 100));
    form.MouseMoved(true, 300, 250);
    EXPECT_FALSE(markerShown(300, 100)) << "the end point has no target";
    AnswerOk();
    form.MouseReleased(MouseButton::Left, 300, 250);
    EXPECT_EQ(Ends(2), (std::array{300, 100, 300, 250})) << "onto the end point";
    Draw("Absorber1", 200, 104, 200, 180);
    EXPECT_EQ(Ends(3), (std::array{200, 100, 200, 180})) << "onto the line";
    Draw("Absorber1", 303, 253, 400, 300, {}, {.alt = true});
    EXPECT_EQ(Ends(4), (std::array{303, 253, 400, 300})) << "Alt held";
    Choose("Einrasten1");
    Draw("Absorber1", 302, 252, 400, 400);
    EXPECT_EQ(Ends(5), (std::array{302, 252, 400, 400})) << "switched off";
    Choose("Einrasten1");
    Draw("Absorber1", 500, 500, 600, 530, {}, {.shift = true});
    EXPECT_EQ(Ends(6), (std::array{500, 500, 601, 527})) << "15 degrees";

    // A whole object moves so that its nearest handle lands on a target.
    Select();
    Drag(550, 513, 353, 113);
    EXPECT_EQ(Ends(6), (std::array{300, 100, 401, 127}));
    window.Press(platform::StandardKey::Undo);
    EXPECT_EQ(Ends(6), (std::array{500, 500, 601, 527})) << "one step back";
}

// Shift+click and a rectangle dragged open select several objects, which
// then move, copy and delete together, each one step back.
TEST_F(EditingTest, SeveralSelectedObjectsMoveCopyAndDeleteTogether) {
    Draw("Absorber1", 100, 100, 200, 100);
    Draw("Absorber1", 100, 200, 200, 200);
    Draw("Absorber1", 500, 500, 600, 500);
    Select();
    form.MousePressed(MouseButton::Left, true, 150, 100);
    form.MouseReleased(MouseButton::Left, 150, 100);
    form.MousePressed(MouseButton::Left, true, 150, 200, {.shift = true});
    form.MouseReleased(MouseButton::Left, 150, 200);
    EXPECT_EQ(form.SelectedObjects(), (std::vector<Tszeneobjekt*>{&form.Scene()[1], &form.Scene()[2]}));
    EXPECT_EQ(window.Surface().Pixel(200, 200), 0x0080FF) << "the handles of each";
    form.MousePressed(MouseButton::Left, true, 150, 200, {.shift = true});
    EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[1]}) << "Shift+click again: out";
    form.MousePressed(MouseButton::Left, true, 150, 200, {.shift = true});
    Drag(150, 100, 160, 110);
    EXPECT_EQ(Ends(1), (std::array{110, 110, 210, 110}));
    EXPECT_EQ(Ends(2), (std::array{110, 210, 210, 210}));
    window.Press(platform::StandardKey::Undo);
    EXPECT_EQ(Ends(2), (std::array{100, 200, 200, 200}));

    Drag(50, 50, 250, 250);
    EXPECT_EQ(form.SelectedObjects(), (std::vector<Tszeneobjekt*>{&form.Scene()[1], &form.Scene()[2]}));
    window.Press(platform::StandardKey::Copy);
    const std::string copied = headless.ClipboardText();
    const size_t first = copied.find("x1=100\r\ny1=100\r\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(copied.find("x1=100\r\ny1=200\r\n", first), std::string::npos) << "both, in the scene's order";
    window.Press(platform::StandardKey::Delete);
    EXPECT_EQ(form.Scene().size(), 2u);
    window.Press(platform::StandardKey::Undo);
    EXPECT_EQ(form.Scene().size(), 4u);
    window.Press("Ctrl+A");
    EXPECT_EQ(form.SelectedObjects().size(), 3u);
}

// Every kind of change is one step back; undo gives the scene file's text
// back byte for byte, redo the changed one.
TEST_F(EditingTest, UndoRestoresTheSceneFileTextOfEachKindOfChange) {
    const std::vector<std::function<void()>> changes{
        [&] {
            Draw("LambertscherStrahler1", 100, 100, 300, 100, {{"staerke", "5"}});
        },
        [&] { Draw("Absorber1", 400, 400, 430, 440); },
        [&] {
            Select();
            Drag(300, 100, 320, 120);
        },
        [&] {
            AnswerOk({{"staerke", "7.5"}});
            form.MouseDoubleClicked(MouseButton::Left, 200, 110);
        },
        [&] {
            form.MousePressed(MouseButton::Left, true, 200, 110);
            window.Press(platform::StandardKey::Copy);
            window.Press(platform::StandardKey::Paste);
        },
        [&] { window.Press("Ctrl+D"); },
        [&] { form.ArrowKeyPressed(1, 0, false); },
        [&] { form.ArrowKeyPressed(0, -1, true); },
        [&] { window.Press(platform::StandardKey::Cut); },
        [&] {
            form.MousePressed(MouseButton::Left, true, 415, 420);
            window.Press(platform::StandardKey::Delete);
        },
    };
    std::vector<std::string> states{SceneText()};
    for (const auto& change : changes) {
        change();
        EXPECT_NE(SceneText(), states.back()) << "change " << states.size();
        states.push_back(SceneText());
    }
    for (size_t i = states.size() - 1; i-- > 0;) {
        form.Settings().berechnet = true;
        window.Press(platform::StandardKey::Undo);
        EXPECT_EQ(SceneText(), states[i]) << "undo to " << i;
        EXPECT_FALSE(form.Settings().berechnet);
    }
    for (size_t i = 1; i < states.size(); ++i) {
        window.Press(platform::StandardKey::Redo);
        EXPECT_EQ(SceneText(), states[i]) << "redo to " << i;
    }
}

TEST_F(EditingTest, EveryChangeIsUnsavedUntilSaved) {
    EXPECT_FALSE(form.HasUnsavedChanges());
    Draw("Absorber1", 100, 100, 200, 100);
    EXPECT_TRUE(form.HasUnsavedChanges());
    Save("scene");
    EXPECT_FALSE(form.HasUnsavedChanges());
    EXPECT_EQ(window.statusText, "Mode: Draw: Straight absorber    Scene: " + PathOf("scene.brv"));
    Choose("Vektorpfeile1");
    EXPECT_FALSE(form.HasUnsavedChanges()) << "a display changes nothing";
}

// New, Open, Quit and the close box ask first;
// Cancel leaves everything as it was, Discard goes on, Save saves first.
TEST_F(EditingTest, UnsavedChangesAreAskedForAndCancelKeepsThem) {
    Draw("Absorber1", 100, 100, 200, 100);
    const std::string scene = SceneText();
    AnswerSaveChanges(ModalResult::Cancel);
    Choose("Neu1");
    EXPECT_EQ(SceneText(), scene);
    AnswerSaveChanges(ModalResult::Cancel);
    window.Close();  // the close box
    EXPECT_FALSE(window.closed);
    EXPECT_TRUE(headless.dialogAnswers.empty()) << "each asked once";

    AnswerSaveChanges(ModalResult::Yes);
    headless.fileNameAnswers.push_back(PathOf("kept"));
    Choose("Neu1");
    EXPECT_EQ(ReadBytes(PathOf("kept.brv")), scene);
    EXPECT_EQ(form.Scene().size(), 1u);
    Draw("Absorber1", 100, 100, 200, 100);
    AnswerSaveChanges(ModalResult::No);
    Choose("Beenden1");
    EXPECT_TRUE(window.closed);
}

// Regression test: a name typed without ".brv" was saved with it appended,
// replacing another file of that name without a question.
TEST_F(EditingTest, SavingUnderANameWithoutExtensionAsksBeforeReplacing) {
    WriteBytes(PathOf("other.brv"), "precious");
    Draw("Absorber1", 100, 100, 200, 100);
    headless.fileNameAnswers.push_back(PathOf("other"));
    Answer([](DialogSpec& dialog) {
        EXPECT_NE(dialog.controls[0].caption.find("already exists"), std::string::npos);
        return ModalResult::Cancel;
    });
    Choose("Save1");
    EXPECT_EQ(ReadBytes(PathOf("other.brv")), "precious");
    EXPECT_TRUE(form.HasUnsavedChanges());
}

// The clipboard holds a scene file with the selected object: a copy pasted
// over its original moves aside, the arrow keys move the selection, and
// objects pasted from another program's scene arrive as they were.
TEST_F(EditingTest, ClipboardHoldsSceneFileTextAndPastedCopiesMoveAside) {
    Draw("LambertscherStrahler1", 100, 100, 300, 100, {{"staerke", "5"}});
    window.Press(platform::StandardKey::Copy);
    EXPECT_TRUE(headless.ClipboardText().empty()) << "nothing selected";
    Select();
    form.MousePressed(MouseButton::Left, true, 200, 100);
    window.Press(platform::StandardKey::Copy);
    const std::string copied = headless.ClipboardText();
    EXPECT_EQ(copied.rfind("Brevanto 2.0-File\r\n", 0), 0u);
    window.Press(platform::StandardKey::Paste);
    window.Press("Ctrl+D");
    ASSERT_EQ(form.Scene().size(), 4u);
    EXPECT_EQ(form.SelectedObjects(), std::vector<Tszeneobjekt*>{&form.Scene()[3]});
    EXPECT_EQ(Emitter(2).x1, 110);
    EXPECT_EQ(Emitter(3).x1, 120);
    EXPECT_EQ(Emitter(3).staerke, 5.0f);
    form.ArrowKeyPressed(-1, 0, false);
    form.ArrowKeyPressed(0, 1, true);
    EXPECT_EQ(Emitter(3).x1, 119);
    EXPECT_EQ(Emitter(3).y1, 130);

    // What another program copied: every object of its scene, as it was.
    window.Press(platform::StandardKey::Cut);
    ASSERT_EQ(form.Scene().size(), 3u);
    headless.SetClipboardText(copied);
    AnswerSaveChanges(ModalResult::No);
    window.Choose("Neu1");
    window.Press(platform::StandardKey::Paste);
    ASSERT_EQ(form.Scene().size(), 2u);
    EXPECT_EQ(Emitter(1).x1, 100);
    headless.SetClipboardText("some other text");
    window.Press(platform::StandardKey::Paste);
    EXPECT_EQ(form.Scene().size(), 2u);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(EditingTest, OpenedAndSavedFilesAreListedNewestFirst) {
    for (const char* name : {"a", "b", "c", "d", "e", "f", "b"}) Save(name);
    EXPECT_EQ(headless.recentFiles, (std::vector<std::string>{PathOf("b.brv"), PathOf("f.brv"), PathOf("e.brv"),
                                                              PathOf("d.brv"), PathOf("c.brv")}));
    Draw("Absorber1", 100, 100, 200, 100);
    AnswerSaveChanges(ModalResult::No, "Save changes to b.brv?");
    Choose("RecentFile3");
    EXPECT_EQ(form.SceneFile(), PathOf("e.brv"));
    EXPECT_EQ(form.Scene().size(), 1u);
}

}  // namespace
