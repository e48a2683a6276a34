#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Programvar.h"
#include "radiation/Aufloesung.h"
#include "TestScene.h"

namespace {

using ResolutionDialogTest = SceneTest;

const char* const kTooSmall = "The length and the number of directions must be at least 1.";

TEST_F(ResolutionDialogTest, ShowsAndStoresTheSettings) {
    prgvar().berechnet = true;
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Resolution of the calculation ");
        EXPECT_EQ(dialog["Edit1"].caption, "Length of the pieces, in which the objects are divided");
        EXPECT_EQ(dialog["Edit1"].text, "5");
        EXPECT_EQ(dialog["Edit2"].caption, "Number of discrete directions");
        EXPECT_EQ(dialog["Edit2"].text, "102");
        EXPECT_EQ(dialog.controls.size(), 3u);
        EXPECT_EQ(dialog.controls.back().caption, "OK");
        EXPECT_EQ(dialog.controls.back().result, platform::ModalResult::OK);
        EXPECT_TRUE(dialog.controls.back().isDefault);
        dialog["Edit1"].text = "8";
        dialog["Edit2"].text = "36";
        return platform::ModalResult::OK;
    });
    ResolutionDialog();
    EXPECT_EQ(prgvar().sellaenge, 8);
    EXPECT_EQ(prgvar().richtungprosel, 36);
    EXPECT_FALSE(prgvar().berechnet);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(ResolutionDialogTest, LenientConversion) {
    struct Case {
        const char* length;
        const char* directions;
        int32_t sellaenge, richtungprosel;
    };
    const Case cases[] = {
        {" 7", "+40", 7, 40},
        {"$10", "0x20", 16, 32},
    };
    for (const Case& c : cases) {
        AnswerOk({{"Edit1", c.length}, {"Edit2", c.directions}});
        ResolutionDialog();
        EXPECT_EQ(prgvar().sellaenge, c.sellaenge) << c.length;
        EXPECT_EQ(prgvar().richtungprosel, c.richtungprosel) << c.directions;
    }
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(ResolutionDialogTest, RefusesValuesBelowOneUntilCorrected) {
    // Zero, negative, empty and malformed texts (lenient: 0) are all refused.
    const std::pair<const char*, const char*> refused[] = {{"0", "102"}, {"5", "-4"}, {"", "102"}, {"5", "many"}};
    for (const auto& [length, directions] : refused) {
        prgvar().berechnet = true;
        AnswerOk({{"Edit1", length}, {"Edit2", directions}});
        // Shown again with the texts as typed; corrected, it is accepted.
        headless.dialogAnswers.push_back([&](platform::DialogSpec& dialog) {
            EXPECT_EQ(dialog["Edit1"].text, length);
            EXPECT_EQ(dialog["Edit2"].text, directions);
            EXPECT_FALSE(prgvar().berechnet);
            dialog["Edit1"].text = "3";
            dialog["Edit2"].text = "12";
            return platform::ModalResult::OK;
        });
        headless.messages.clear();
        ResolutionDialog();
        EXPECT_EQ(headless.messages, std::vector<std::string>{kTooSmall}) << length << " / " << directions;
        EXPECT_EQ(prgvar().sellaenge, 3);
        EXPECT_EQ(prgvar().richtungprosel, 12);
        prgvar().sellaenge = 5;
        prgvar().richtungprosel = 102;
    }
    EXPECT_EQ(headless.shownDialogs.size(), 8u);
}

TEST_F(ResolutionDialogTest, ClosedWithoutOkChangesNothingButTheFlag) {
    prgvar().berechnet = true;
    ResolutionDialog();  // no scripted answer: closed with Cancel
    EXPECT_EQ(headless.unansweredDialogs, std::vector<std::string>{"Resolution of the calculation "});
    EXPECT_EQ(prgvar().sellaenge, 5);
    EXPECT_EQ(prgvar().richtungprosel, 102);
    EXPECT_FALSE(prgvar().berechnet);

    // Refused first, then closed: the settings keep their values.
    AnswerOk({{"Edit1", "0"}, {"Edit2", "0"}});
    prgvar().berechnet = true;
    ResolutionDialog();
    EXPECT_EQ(headless.messages, std::vector<std::string>{kTooSmall});
    EXPECT_EQ(prgvar().sellaenge, 5);
    EXPECT_EQ(prgvar().richtungprosel, 102);
    EXPECT_FALSE(prgvar().berechnet);
}

}  // namespace
