#include "HeadlessFixture.h"
#include "platform/Errors.h"
#include "ui/Aufloesung.h"
#include "ui/Iterationen.h"

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
};

// The values are shown with five digits, not the float's 0.00999999977648258.
// A conversion error keeps the fields before it and leaves the later ones.
TEST_F(ParameterDialogsTest, IterationsShowsTheCurrentValuesAndStoresTheAnswer) {
    settings.berechnet = true;
    settings.abbruchgenauigkeit = 0.01f;
    Type("maximaleiterationen", "abbruchgenauigkeit", "20", "0,5");
    IterationsDialog(headless, settings);
    EXPECT_EQ(settings.maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(settings.abbruchgenauigkeit, 0.5f);
    EXPECT_FALSE(settings.berechnet);
    EXPECT_EQ(shown, (std::vector<std::string>{"50 0.01"}));

    settings.berechnet = true;
    Type("maximaleiterationen", "abbruchgenauigkeit", "30", "one");
    EXPECT_THROW(IterationsDialog(headless, settings), platform::ConversionError);
    EXPECT_EQ(settings.maximaleiterationen, 30);
    EXPECT_FLOAT_EQ(settings.abbruchgenauigkeit, 0.5f);
    EXPECT_TRUE(settings.berechnet) << "the flag stays as it was";
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
