// SPDX-License-Identifier: GPL-3.0-or-later
// Every way of changing a scene reaches every result: after an edit, a
// computation gives the bytes of the same scene loaded fresh, and every menu
// item is one undo step or leaves the scene alone.
#include <filesystem>
#include <functional>
#include <map>

#include "SceneFileFixture.h"
#include "objects/KindRegistry.h"
#include "platform/HeadlessPlatform.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::files;
using namespace brevanto::ui;

namespace {

using brevanto::platform::DialogSpec;
using brevanto::platform::ModalResult;
using brevanto::platform::MouseButton;

// A lamp lights a straight and a circular mirror, so that the iteration has
// radiation to balance and the mirrors something to remember.
const std::string kLitMirrors =
    "Brevanto 2.0-File\nbegin\nscreen\nbegin\nhoehe=150\nbreite=200\nhintergrundfarbe=16777215\nend\n"
    "vektorpfeile\nbegin\ncolor=0\ngitterweite=10\nend\n"
    "prgvar\nbegin\nsellaenge=8\nrichtungprosel=24\nabbruchgenauigkeit=1\nmaximaleiterationen=50\nend\n"
    "linien\nbegin\nlinienabstand=20\niterationslaenge=2\nabbruchschwelle=0.01\ncolor=255\nmaxlaenge=1000\nend\n"
    "energiekreise\nbegin\ncolor=16711680\ngitterweite=10\nend\n"
    "hintergrund\nbegin\nstaerke=0.5\nnuroben=0\nend\n"
    "lambert\nbegin\ncolor=255\nx1=20\ny1=20\nx2=20\ny2=120\nstaerke=10\nend\n"
    "spiegel\nbegin\ncolor=16711680\nx1=90\ny1=10\nx2=60\ny2=60\ndirref=50\ndirtrans=0\ndifref=30\ndiftrans=0\nend\n"
    "spiegelkreis\nbegin\ncolor=16711680\nxmitte=70\nymitte=105\nradius=18\nwinkel1=0\nwinkel2=360\n"
    "dirref=0\ndirtrans=0\ndifref=60\ndiftrans=20\nend\n"
    "end\n";

// What a computed scene shows: the arrows' picture and the light at a few
// points.
struct Outcome {
    std::vector<uint8_t> picture;
    std::vector<double> readings;
    bool operator==(const Outcome&) const = default;
};

class SceneChangeTest : public SceneFileTest {
protected:
    SceneChangeTest() {
        platform::SetDecimalSeparator('.');
        OpenLitMirrors();
    }

    // Opens the lit mirrors without a question, whatever the scene before.
    void OpenLitMirrors() {
        WriteBytes(PathOf("lit.brv"), kLitMirrors);
        form.OpenSceneFile(PathOf("lit.brv"));
    }

    // Answers the next dialog with OK, after changing the fields it has of
    // these, each to its text.
    void AnswerOkWith(std::map<std::string, std::string> texts) {
        Answer([texts](DialogSpec& dialog) {
            for (platform::Control& control : dialog.controls)
                if (const auto found = texts.find(control.id); found != texts.end()) control.text = found->second;
            return ModalResult::OK;
        });
    }
    // Draws an object of the kind, or adds it from the menu.
    void Add(const KindEntry& kind) {
        AnswerOkWith({{"staerke", "4"}, {"richtung", "20"}, {"dirref", "30"}, {"difref", "40"}});
        if (kind.placement == Placement::FromMenu) {
            Choose(kind.menuName);
            return;
        }
        Choose(kind.menuName);
        const int x2 = kind.placement == Placement::Straight ? 170 : 150;
        form.MousePressed(MouseButton::Left, true, 140, 40);
        form.MouseMoved(true, x2, 60);
        form.MouseReleased(MouseButton::Left, x2, 60);
        window.Press("Esc");
    }
    void Drag(int x1, int y1, int x2, int y2) {
        form.MousePressed(MouseButton::Left, true, x1, y1);
        form.MouseMoved(true, (x1 + x2) / 2, (y1 + y2) / 2);
        form.MouseMoved(true, x2, y2);
        form.MouseReleased(MouseButton::Left, x2, y2);
    }
    // A point from which the mouse takes the object whole, not a handle.
    std::pair<int, int> PickPoint(const Tszeneobjekt& object) {
        for (int y = 0; y < form.Picture().Height(); ++y)
            for (int x = 0; x < form.Picture().Width(); ++x)
                if (form.ObjectAt(x, y) == &object && !HandleWithinReach(object, x, y)) return {x, y};
        ADD_FAILURE() << object.kind << " cannot be taken with the mouse";
        return {0, 0};
    }

    Outcome Computed(MainWindow& shown, platform::HeadlessWindow& on) {
        shown.DrawArrows();
        Outcome outcome{dynamic_cast<const platform::RasterBitmap&>(shown.Picture()).BmpBytes(), {}};
        for (const auto& [x, y] : {std::pair{100, 75}, std::pair{70, 100}, std::pair{150, 30}}) {
            shown.MeasureLightAt(x, y);
            const platform::Measurement& measured = on.measurements.back();
            outcome.readings.insert(outcome.readings.end(), {measured.fx, measured.fy, measured.energy});
        }
        return outcome;
    }
    // The scene as it is now, saved and opened in a program just started.
    Outcome ComputedFresh() {
        platform::HeadlessPlatform freshPlatform;
        platform::HeadlessWindow freshWindow{1024, 768};
        MainWindow fresh(freshPlatform, freshWindow);
        const std::string path = PathOf("fresh.brv");
        WriteBytes(path, SceneText());
        fresh.OpenSceneFile(path);
        return Computed(fresh, freshWindow);
    }
};

TEST_F(SceneChangeTest, EveryEditOfEveryKindComputesAsTheSceneLoadedFresh) {
    struct Path {
        const char* name;
        bool needsMouse;
        std::function<void(size_t)> edit;
    };
    const auto object = [&](size_t index) -> Tszeneobjekt& { return form.Scene()[index]; };
    const auto move = [&](size_t index) {
        const auto [x, y] = PickPoint(object(index));
        Drag(x, y, x + 23, y + 17);
    };
    const std::vector<Path> paths{
        {"mouse move", true, move},
        {"handle drag", true,
         [&](size_t index) {
             const Handle handle = object(index).Handles().back();
             Drag(handle.x, handle.y, handle.x + 25, handle.y + 10);
         }},
        {"dialog", true,
         [&](size_t index) {
             const auto [x, y] = PickPoint(object(index));
             AnswerOkWith({{"x1", "130"}, {"xmitte", "130"}, {"staerke", "6"}, {"difref", "50"}});
             form.MouseDoubleClicked(MouseButton::Left, x, y);
         }},
        {"object manager", false,
         [&](size_t index) {
             Answer([index](DialogSpec& dialog) {
                 dialog["objects"].selected = static_cast<int>(index);
                 return ModalResult::Edit;
             });
             AnswerOkWith({{"x1", "130"}, {"xmitte", "130"}, {"staerke", "6"}, {"richtung", "-30"}});
             Answer([](DialogSpec&) { return ModalResult::Quit; });
             Choose("Objektmanager1");
         }},
        {"delete", false,
         [&](size_t index) {
             Answer([index](DialogSpec& dialog) {
                 dialog["objects"].selected = static_cast<int>(index);
                 return ModalResult::Delete;
             });
             Answer([](DialogSpec&) { return ModalResult::Quit; });
             Choose("Objektmanager1");
         }},
        {"undo", true,
         [&](size_t index) {
             move(index);
             Choose("Rueckgaengig1");
         }},
        {"redo", true,
         [&](size_t index) {
             move(index);
             Choose("Rueckgaengig1");
             Choose("Wiederholen1");
         }},
        {"screen dialog", false,
         [&](size_t) {
             Answer([](DialogSpec& dialog) {
                 dialog["hintergrundfarbe"].selected = 0;
                 return ModalResult::OK;
             });
             Choose("Bildschirm1");
         }},
        {"resolution", false,
         [&](size_t) {
             AnswerOkWith({{"sellaenge", "6"}});
             Choose("Auflsung1");
         }},
        {"iterations", false,
         [&](size_t) {
             AnswerOkWith({{"abbruchgenauigkeit", "0.5"}});
             Choose("Iterationen1");
         }},
    };
    size_t cases = 0;
    for (const KindEntry& kind : Kinds())
        for (const Path& path : paths) {
            if (path.needsMouse && kind.placement == Placement::FromMenu) continue;
            OpenLitMirrors();
            Add(kind);
            const size_t index = form.Scene().size() - 1;
            ASSERT_EQ(form.Scene()[index].kind, kind.keyword);
            form.DrawArrows();  // what the edit must not leave behind
            const std::string before = SceneText();
            path.edit(index);
            const std::string what = std::string(kind.keyword) + ", " + path.name;
            if (std::string(path.name) != "undo") {
                EXPECT_TRUE(SceneText() != before) << what << ": nothing changed";
            }
            EXPECT_TRUE(Computed(form, window) == ComputedFresh()) << what;
            EXPECT_TRUE(headless.dialogAnswers.empty()) << what;
            headless.dialogAnswers.clear();
            ++cases;
        }
    EXPECT_GE(cases, 60u);
}

// Each item of the menu, its dialogs answered with OK after every number
// they show was changed. The items that open or start another scene are not
// edits of this one.
TEST_F(SceneChangeTest, EveryMenuItemIsOneUndoStepOrLeavesTheSceneAlone) {
    std::vector<platform::MenuItem> items;
    const std::function<void(const std::vector<platform::MenuItem>&)> collect = [&](const auto& menu) {
        for (const platform::MenuItem& item : menu) {
            if (!item.children.empty()) collect(item.children);
            if (item.action && item.name != "Neu1" && item.name != "Load1" && item.name != "Beenden1" &&
                !item.name.starts_with("RecentFile"))
                items.push_back(item);
        }
    };
    collect(window.Menu());
    const auto changeEverything = [](DialogSpec& dialog) {
        if (dialog.caption == "Object Manager") {
            dialog["objects"].selected = 2;
            return ModalResult::Edit;
        }
        for (platform::Control& control : dialog.controls)
            if (control.kind == platform::Control::Kind::Edit && !control.text.empty())
                control.text = platform::FloatToStr(platform::LenientStrToFloat(control.text) + 1, 7);
        return ModalResult::OK;
    };
    size_t changing = 0;
    for (const platform::MenuItem& item : items) {
        OpenLitMirrors();
        form.MousePressed(MouseButton::Left, true, 52, 105);  // selects the ring
        form.MouseReleased(MouseButton::Left, 52, 105);
        ASSERT_FALSE(form.SelectedObjects().empty());
        for (int i = 0; i < 4; ++i) Answer(changeEverything);
        Answer([](DialogSpec&) { return ModalResult::Quit; });
        const std::string before = SceneText();
        item.action();
        headless.dialogAnswers.clear();
        const std::string after = SceneText();
        if (after == before) continue;
        ++changing;
        Choose("Rueckgaengig1");
        EXPECT_TRUE(SceneText() == before) << item.name << ": one undo step takes it back";
        Choose("Rueckgaengig1");
        EXPECT_TRUE(SceneText() == before) << item.name << ": and there is no other";
        Choose("Wiederholen1");
        EXPECT_TRUE(SceneText() == after) << item.name << ": redo";
    }
    // The sun, the background, the object manager, deleting, and the
    // parameter and screen dialogs.
    EXPECT_GE(changing, 11u);
}

// A program that keeps a copy of its unsaved scene, and one started after it
// ended without closing (a crash, a kill, a power cut).
TEST_F(SceneChangeTest, TheUnsavedSceneOfAProgramThatDidNotCloseIsOffered) {
    std::string edited;
    {
        platform::HeadlessPlatform crashing;
        crashing.dataFolder = PathOf("data");
        platform::HeadlessWindow crashingWindow{400, 300};
        MainWindow program(crashing, crashingWindow);
        program.Scene().Append(CreateObjectOfKind("absorber", 10, 10, 90, 90));
        program.NoteChanges();
        edited = SceneFileText(program.Settings(), program.DisplaySettings(), program.Scene()).Text();
        // What a crash leaves: the copy, as the program last kept it, under
        // the name of another program that no longer runs.
        std::filesystem::copy_file(PathOf("data/scene-" + std::to_string(getpid()) + ".brv"),
                                   PathOf("data/scene-1000001.brv"));
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("data/scene-" + std::to_string(getpid()) + ".brv")))
        << "a program that ends normally leaves no copy";

    for (const bool restore : {false, true}) {
        std::filesystem::copy_file(PathOf("data/scene-1000001.brv"), PathOf("data/kept.brv"),
                                   std::filesystem::copy_options::overwrite_existing);
        platform::HeadlessPlatform next;
        next.dataFolder = PathOf("data");
        next.questionAnswers = {restore};
        platform::HeadlessWindow nextWindow{400, 300};
        MainWindow started(next, nextWindow);
        EXPECT_EQ(started.RestoreAbandonedScene(), restore);
        ASSERT_EQ(next.questions.size(), 1u);
        EXPECT_TRUE(next.questions[0].starts_with("Brevanto was not closed properly. Restore the scene of "))
            << next.questions[0];
        EXPECT_EQ(started.Scene().size(), restore ? 2u : 1u);
        EXPECT_EQ(started.HasUnsavedChanges(), restore);
        EXPECT_TRUE(started.SceneFile().empty());
        EXPECT_FALSE(std::filesystem::exists(PathOf("data/scene-1000001.brv"))) << "offered once";
        const std::string own = PathOf("data/scene-" + std::to_string(getpid()) + ".brv");
        if (restore) {
            EXPECT_TRUE(ReadBytes(own) == edited) << "kept again as this program's unsaved scene";
            started.Undo();
            EXPECT_EQ(started.Scene().size(), 1u);
        }
        std::filesystem::rename(PathOf("data/kept.brv"), PathOf("data/scene-1000001.brv"));
    }
}

}  // namespace
