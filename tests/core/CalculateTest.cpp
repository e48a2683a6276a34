#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Programvar.h"
#include "model/SceneList.h"
#include "platform/Errors.h"
#include "radiation/Aufloesung.h"
#include "radiation/Berechnen.h"
#include "radiation/Iterationen.h"
#include "TestScene.h"

namespace {

// Reports a change in its first `changingPasses` passes and writes its passes
// into a log shared with the other objects of the scene.
struct ChangingObject : Tszeneobjekt {
    ChangingObject(std::string name, int changingPasses, std::vector<std::string>& log)
        : name(std::move(name)), changingPasses(changingPasses), log(log) {}
    bool Iterate(const TSceneList&) override {
        log.push_back(name + " " + std::to_string(++passes));
        if (passes == failingPass) throw std::runtime_error("broken pass");
        return passes <= changingPasses;
    }
    void PrepareQueries() override { log.push_back(name + " prepared"); }

    std::string name;
    int changingPasses;
    std::vector<std::string>& log;
    int passes = 0, failingPass = 0;
};

class CalculateTest : public SceneTest {
protected:
    ChangingObject& Add(int changingPasses, const std::string& name = "object") {
        list.Append(std::make_unique<ChangingObject>(name, changingPasses, log));
        list.CleanAndNumber();
        return static_cast<ChangingObject&>(list.Tail());
    }

    // Answers the next dialog by typing the two texts, after writing down what it showed.
    void Type(std::string edit1, std::string edit2) {
        headless.dialogAnswers.push_back([this, edit1, edit2](platform::DialogSpec& dialog) {
            shown.push_back(dialog["Edit1"].text + " " + dialog["Edit2"].text);
            dialog["Edit1"].text = edit1;
            dialog["Edit2"].text = edit2;
            return platform::ModalResult::OK;
        });
    }

    TSceneList list;
    std::vector<std::string> log, shown;
};

TEST(OrdinalSuffix, OfThePassNumber) {
    std::string passes;
    for (const int32_t k : {1, 2, 3, 4, 11, 12, 13, 21, 22, 23, 101, 111, 112})
        passes += std::to_string(k) + OrdinalSuffix(k) + " ";
    EXPECT_EQ(passes, "1st 2nd 3rd 4th 11th 12th 13th 21st 22nd 23rd 101st 111th 112th ");
}

TEST_F(CalculateTest, SceneWithoutMirrorsConvergesInOnePassAndIsNotComputedAgain) {
    ChangingObject& emitter = Add(0);
    Calculate(list, window);
    EXPECT_EQ(emitter.passes, 1);
    EXPECT_TRUE(prgvar().berechnet);
    EXPECT_EQ(window.Captions(), (std::vector<std::string>{"Brevanto 2.0 , 1st iteration", "Brevanto 2.0"}));
    EXPECT_EQ(headless.progressTexts,
              std::vector<std::string>{"Brevanto 2.0 is calculating the radiositys:\r1st iteration"});
    EXPECT_FALSE(headless.progressVisible);
    // Up to date: no pass, no progress window, no caption.
    Calculate(list, window);
    EXPECT_EQ(emitter.passes, 1);
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_EQ(window.Captions().size(), 2u);
}

TEST_F(CalculateTest, EveryObjectTakesPartInEveryPassUntilNothingChanges) {
    Add(2, "first");
    Add(0, "second");
    Calculate(list, window);
    EXPECT_EQ(log, (std::vector<std::string>{"first prepared", "second prepared", "first 1", "second 1", "first 2",
                                             "second 2", "first 3", "second 3"}));
    EXPECT_EQ(window.Captions()[2], "Brevanto 2.0 , 3rd iteration");
}

TEST_F(CalculateTest, StopsAtTheIterationLimit) {
    // At least one pass, also for a limit of 0.
    for (const auto& [limit, passes] : {std::pair{1, 1}, std::pair{3, 3}, std::pair{0, 1}}) {
        prgvar().berechnet = false;
        prgvar().maximaleiterationen = limit;
        ChangingObject& mirror = Add(1000);
        Calculate(list, window);
        EXPECT_EQ(mirror.passes, passes) << "limit " << limit;
    }
}

TEST_F(CalculateTest, UnusableResolutionStopsBeforeAnythingIsShown) {
    for (const auto& [sellaenge, richtungprosel] : {std::pair{0, 102}, std::pair{5, 0}}) {
        prgvar().sellaenge = sellaenge;
        prgvar().richtungprosel = richtungprosel;
        Add(0);
        platform::ReportingErrors([&] { Calculate(list, window); });
    }
    EXPECT_EQ(headless.messages.size(), 2u);
    EXPECT_FALSE(prgvar().berechnet);
    EXPECT_EQ(headless.progressShown, 0);
    EXPECT_TRUE(window.Captions().empty());
    EXPECT_TRUE(log.empty()) << "no pass, not even the preparation";
}

TEST_F(CalculateTest, BrokenPassLeavesTheResultsStale) {
    Add(1000).failingPass = 2;
    EXPECT_THROW(Calculate(list, window), std::runtime_error);
    EXPECT_FALSE(prgvar().berechnet) << "the next display computes again";
    EXPECT_EQ(window.Caption(), "Brevanto 2.0");
    EXPECT_FALSE(headless.progressVisible);
}

TEST_F(CalculateTest, IterationsShowsTheCurrentValuesAndStoresTheAnswer) {
    prgvar().berechnet = true;
    prgvar().abbruchgenauigkeit = 0.01f;
    Type("20", "0,5");
    IterationsDialog();
    EXPECT_EQ(prgvar().maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 0.5f);
    EXPECT_FALSE(prgvar().berechnet);
    prgvar().maximaleiterationen = 9;
    Type("9", "0.5");
    IterationsDialog();
    // Five digits, not the float's 0.00999999977648258.
    EXPECT_EQ(shown, (std::vector<std::string>{"50 0.01", "9 0.5"}));
}

TEST_F(CalculateTest, IterationsConversionErrorKeepsTheFieldsBeforeItAndLeavesTheLaterOnes) {
    prgvar().berechnet = true;
    Type("20", "one");
    EXPECT_THROW(IterationsDialog(), platform::ConversionError);
    Type("2x", "3");
    EXPECT_THROW(IterationsDialog(), platform::ConversionError);
    EXPECT_EQ(prgvar().maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 1.0f);
    EXPECT_TRUE(prgvar().berechnet) << "the flag stays as it was";
}

TEST_F(CalculateTest, ResolutionRefusesValuesBelowOneUntilCorrected) {
    prgvar().berechnet = true;
    // Read leniently: a malformed text counts as 0. Each refused answer is
    // shown again as typed.
    for (const auto& [length, directions] : {std::pair{"0", "102"}, std::pair{"5", "-4"}, std::pair{"5", "many"}}) {
        prgvar().sellaenge = 7;
        Type(length, directions);
        Type("3", "12");
        ResolutionDialog();
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"7 102", "0 102", "7 12", "5 -4", "7 12", "5 many"}));
    EXPECT_EQ(headless.messages,
              std::vector<std::string>(3, "The length and the number of directions must be at least 1."));
    EXPECT_EQ(prgvar().sellaenge, 3);
    EXPECT_EQ(prgvar().richtungprosel, 12);
    EXPECT_FALSE(prgvar().berechnet);
}

}  // namespace
