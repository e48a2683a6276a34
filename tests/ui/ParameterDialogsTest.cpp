// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessFixture.h"
#include "platform/Errors.h"
#include "ui/IterationsDialog.h"
#include "ui/ResolutionDialog.h"

using namespace brevanto;
using namespace brevanto::ui;

namespace {

class ParameterDialogsTest : public HeadlessSceneTest {
protected:
    // Answers the next dialog by typing the two texts, after writing down
    // what it showed.
    void Type(const std::string& first, const std::string& second, std::string edit1, std::string edit2) {
        headless.dialogAnswers.push_back([this, first, second, edit1, edit2](platform::DialogSpec& dialog) {
            shown.push_back(dialog[first].text + " " + dialog[second].text);
            dialog[first].text = edit1;
            dialog[second].text = edit2;
            return platform::ModalResult::OK;
        });
    }

    std::vector<std::string> shown;
    std::vector<std::string> focus;
};

// The values are shown with five digits, not the float's 0.00999999977648258.
// Text that is not a number is refused naming its field, and the dialog
// comes back with the cursor there; Cancel then keeps every value.
TEST_F(ParameterDialogsTest, IterationsShowsTheCurrentValuesAndStoresTheAnswer) {
    settings.berechnet = true;
    settings.abbruchgenauigkeit = 0.01f;
    Type("maximaleiterationen", "abbruchgenauigkeit", "20", "0,5");
    IterationsDialog(headless, settings);
    EXPECT_EQ(settings.maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(settings.abbruchgenauigkeit, 0.5f);
    EXPECT_FALSE(settings.berechnet);
    EXPECT_EQ(shown, (std::vector<std::string>{"50 0.01"}));

    Type("maximaleiterationen", "abbruchgenauigkeit", "30", "one");
    headless.dialogAnswers.push_back([this](platform::DialogSpec& dialog) {
        focus.push_back(dialog.focus);
        return platform::ModalResult::Cancel;
    });
    IterationsDialog(headless, settings);
    EXPECT_EQ(headless.messages, std::vector<std::string>{"'one' is not a valid floating point value\rin the field "
                                                          "\"Criteria for the stop of the iterations\"."});
    EXPECT_EQ(focus, std::vector<std::string>{"abbruchgenauigkeit"});
    EXPECT_EQ(settings.maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(settings.abbruchgenauigkeit, 0.5f);
}

// Read leniently: a malformed text counts as 0. Each refused answer is shown
// again as typed.
TEST_F(ParameterDialogsTest, ResolutionRefusesValuesBelowOneUntilCorrected) {
    settings.berechnet = true;
    for (const auto& [length, directions] : {std::pair{"0", "102"}, std::pair{"5", "many"}}) {
        settings.sellaenge = 7;
        Type("sellaenge", "richtungprosel", length, directions);
        Type("sellaenge", "richtungprosel", "3", "12");
        ResolutionDialog(headless, settings);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"7 102", "0 102", "7 12", "5 many"}));
    EXPECT_EQ(headless.messages,
              std::vector<std::string>(2, "The length and the number of directions must be at least 1."));
    EXPECT_EQ(settings.sellaenge, 3);
    EXPECT_EQ(settings.richtungprosel, 12);
    EXPECT_FALSE(settings.berechnet);
}

// A number too large for its field is not "too small"; the cursor goes to
// the field to correct.
TEST_F(ParameterDialogsTest, ResolutionNamesTheFieldToCorrectAndPutsTheCursorThere) {
    auto typeAndNoteFocus = [this](std::string length, std::string directions) {
        headless.dialogAnswers.push_back([this, length, directions](platform::DialogSpec& dialog) {
            focus.push_back(dialog.focus);
            dialog["sellaenge"].text = length;
            dialog["richtungprosel"].text = directions;
            return platform::ModalResult::OK;
        });
    };
    typeAndNoteFocus("99999999999", "102");
    typeAndNoteFocus("5", "0");
    typeAndNoteFocus("5", "64");
    ResolutionDialog(headless, settings);
    EXPECT_EQ(focus, (std::vector<std::string>{"", "sellaenge", "richtungprosel"}));
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{
                  "The number in the field \"Length of the pieces, in which the objects are divided\" is too large.",
                  "The length and the number of directions must be at least 1."}));
    EXPECT_EQ(settings.sellaenge, 5);
    EXPECT_EQ(settings.richtungprosel, 64);
}

// A limit below one pass or a negative criterion would not do what was asked:
// each is refused with a message naming it, and shown again as typed.
TEST_F(ParameterDialogsTest, IterationsRefusesALimitBelowOneAndANegativeCriterion) {
    Type("maximaleiterationen", "abbruchgenauigkeit", "0", "1");
    Type("maximaleiterationen", "abbruchgenauigkeit", "20", "-0.5");
    Type("maximaleiterationen", "abbruchgenauigkeit", "20", "0");
    IterationsDialog(headless, settings);
    EXPECT_EQ(shown, (std::vector<std::string>{"50 1", "0 1", "20 -0.5"}));
    EXPECT_EQ(headless.messages,
              (std::vector<std::string>{"The maximum number of iterations must be at least 1.",
                                        "The criteria for the stop of the iterations must not be negative."}));
    EXPECT_EQ(settings.maximaleiterationen, 20);
    EXPECT_EQ(settings.abbruchgenauigkeit, 0.0f);
}

}  // namespace
