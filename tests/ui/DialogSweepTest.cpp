// SPDX-License-Identifier: GPL-3.0-or-later
// Every field of every dialog, given text that is not a sensible value: each
// ends with a message or a documented clamp, never with a crash, a hang, or
// a value that is not finite in the scene file, a picture or a probe.
#include <chrono>
#include <cmath>
#include <functional>

#include "MainWindowFixture.h"
#include "files/SceneFile.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegel.h"
#include "platform/Errors.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::files;

namespace {

using brevanto::platform::DialogSpec;
using brevanto::platform::ModalResult;

const std::vector<std::string> kBadTexts{
    "",           "abc",         "-1",          "1e99",   "nan",         "inf", std::string(10'000, '7'),
    "2147483647", "-2147483648", "-2147483649", "1e-400", "3.4028234e38"};

// A dialog and how the user opens it.
struct Opener {
    std::string name;
    std::function<void()> open;
};

// A small scene (so that every display is quick) with an emitter and a mirror.
class DialogSweepTest : public MainWindowTestOn<160, 120> {
protected:
    void StartScene() {
        // What the last case changed is discarded, not saved.
        if (form.HasUnsavedChanges()) Answer([](DialogSpec&) { return ModalResult::No; });
        Choose("Neu1");
        ASSERT_EQ(form.Scene().size(), 1u);
        auto emitter = std::make_unique<TObjektLambert>(20, 30, 120, 30);
        emitter->staerke = 50;
        form.Scene().Append(std::move(emitter));
        auto mirror = std::make_unique<TObjektSpiegel>(20, 90, 120, 90);
        mirror->difref = 50;
        mirror->dirtrans = 20;
        form.Scene().Append(std::move(mirror));
    }

    // Every dialog: the menu's and, through the registry, the one of every
    // kind that the mouse draws or the menu adds.
    std::vector<Opener> Openers() {
        std::vector<Opener> openers;
        for (const char* item : {"Vektorpfeile2", "Energieflussfeldlinien1", "Energiekreise1", "Auflsung1",
                                 "Iterationen1", "Bildschirm1", "Hintergrundstrahlung1", "Info1", "Objektmanager1"})
            openers.push_back({item, [this, item] { Choose(item); }});
        for (const KindEntry& kind : Kinds()) {
            const std::string item = kind.menuName;
            if (kind.placement == Placement::FromMenu) {
                openers.push_back({item, [this, item] { Choose(item); }});
                continue;
            }
            openers.push_back({item, [this, item] {
                                   Choose(item);
                                   window.Events().MousePressed(platform::MouseButton::Left, true, 40, 50);
                                   window.Events().MouseMoved(true, 100, 60);
                                   window.Events().MouseReleased(platform::MouseButton::Left, 100, 60);
                               }});
        }
        return openers;
    }

    // The ids of the edit fields of the first dialog the opener shows.
    std::vector<std::string> EditFields(const Opener& opener) {
        std::vector<std::string> ids;
        Answer([&ids](DialogSpec& dialog) {
            for (const platform::Control& control : dialog.controls)
                if (control.kind == platform::Control::Kind::Edit) ids.push_back(control.id);
            return ModalResult::Cancel;
        });
        opener.open();
        return ids;
    }

    // Everything the scene holds, as the file would; no number in it may be
    // NAN or INF.
    void ExpectFiniteFile(const std::string& what) {
        const std::string text = SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
        EXPECT_EQ(text.find("NAN"), std::string::npos) << what;
        EXPECT_EQ(text.find("INF"), std::string::npos) << what;
    }

    // Every display, then the field at a few points. Work that would take long
    // is declined when the window asks, and a deadline stops what is left.
    void ExpectFiniteDisplaysAndProbes(const std::string& what) {
        headless.unscriptedAnswer = false;
        headless.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (const char* display : {"Vektorpfeile1", "Stromlinien1", "Kreise1"}) Choose(display);
        headless.deadline.reset();
        EXPECT_EQ(Picture().Width(), window.ClientWidth()) << what;
        if (!form.Settings().berechnet) return;
        for (const auto& [x, y] : {std::pair{80, 60}, std::pair{20, 31}, std::pair{0, 0}}) {
            const FlowSum flow = form.Scene().FlowDensitySum(x, y);
            EXPECT_TRUE(std::isfinite(flow.x) && std::isfinite(flow.y)) << what;
            EXPECT_TRUE(std::isfinite(form.Scene().EnergyDensityAt(x, y))) << what;
        }
    }
};

TEST_F(DialogSweepTest, EveryFieldOfEveryDialogTakesBadTextSafely) {
    size_t fields = 0;
    for (const Opener& opener : Openers()) {
        StartScene();
        const std::vector<std::string> ids = EditFields(opener);
        fields += ids.size();
        for (const std::string& id : ids)
            for (const std::string& bad : kBadTexts) {
                const std::string what = opener.name + " " + id + " '" + bad.substr(0, 20) + "'";
                StartScene();
                headless.messages.clear();
                // Typed once and confirmed; a dialog that comes back has the
                // cursor in the field to correct and is then closed without OK.
                AnswerOk({{id, bad}});
                std::optional<std::string> cameBackAt;
                Answer([&](DialogSpec& dialog) {
                    cameBackAt = dialog.focus;
                    return ModalResult::Cancel;
                });
                opener.open();
                EXPECT_LE(headless.dialogAnswers.size(), 1u) << what << ": the dialog was not shown";
                headless.dialogAnswers.clear();
                EXPECT_EQ(cameBackAt.value_or(id), id) << what;
                for (const std::string& message : headless.messages) EXPECT_LT(message.size(), 400u) << what;
                ExpectFiniteFile(what);
                ExpectFiniteDisplaysAndProbes(what);
            }
    }
    // Every kind's dialog and the settings' dialogs have fields.
    EXPECT_GE(fields, 25u);
}

// The clamps the sweep relies on: the screen dialog refuses a side too short
// to draw in, and the screen grants at most its own size.
TEST_F(DialogSweepTest, ScreenSizeIsClampedToTheScreenAndTooSmallRefused) {
    for (const char* tooSmall : {"-2147483648", "0", "49"}) {
        AnswerOk({{"hoehe", "2147483647"}, {"breite", tooSmall}});
        AnswerOk({{"hoehe", "2147483647"}, {"breite", "60"}});
        Choose("Bildschirm1");
        EXPECT_EQ(headless.messages.back(), "The height and the width must be at least 50 pixels.") << tooSmall;
        EXPECT_EQ(window.ClientHeight(), 120);
        EXPECT_EQ(window.ClientWidth(), 60);
        EXPECT_EQ(form.Settings().hoehe, 120);
        EXPECT_EQ(form.Settings().breite, 60);
    }
}

}  // namespace
