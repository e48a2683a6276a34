#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Programvar.h"
#include "model/SceneList.h"
#include "platform/Errors.h"
#include "radiation/Berechnen.h"
#include "radiation/Iterationen.h"
#include "TestScene.h"

namespace {

// An object that reports a change in its first `changingPasses` passes and
// writes its passes into a log shared with other objects of the scene.
class ChangingObject : public Tszeneobjekt {
public:
    ChangingObject(std::string name, int changingPasses, std::vector<std::string>& log)
        : name(std::move(name)), changingPasses(changingPasses), log(log) {}

    bool Iterate(const TSceneList&) override {
        ++passes;
        log.push_back(name + " " + std::to_string(passes));
        if (passes == failingPass) throw std::runtime_error("broken pass");
        return passes <= changingPasses;
    }
    void PrepareQueries() override { log.push_back(name + " prepared"); }

    int passes = 0;
    int failingPass = 0;

private:
    std::string name;
    int changingPasses;
    std::vector<std::string>& log;
};

class CalculateTest : public SceneTest {
protected:
    ChangingObject& Add(int changingPasses, const std::string& name = "object") {
        auto object = std::make_unique<ChangingObject>(name, changingPasses, log);
        ChangingObject& added = *object;
        list.Append(std::move(object));
        list.CleanAndNumber();
        return added;
    }
    std::vector<std::string> Captions(int passes) const {
        std::vector<std::string> captions;
        for (int k = 1; k <= passes; ++k)
            captions.push_back("Brevanto 2.0 , " + std::to_string(k) + OrdinalSuffix(k) + " iteration");
        captions.push_back("Brevanto 2.0");
        return captions;
    }

    TSceneList list;
    std::vector<std::string> log;
};

TEST(OrdinalSuffix, OfThePassNumber) {
    const std::pair<int32_t, const char*> cases[] = {
        {1, "1st"},    {2, "2nd"},    {3, "3rd"},    {4, "4th"},    {11, "11th"},  {12, "12th"},  {13, "13th"},
        {21, "21st"},  {22, "22nd"},  {23, "23rd"},  {101, "101st"}, {111, "111th"}, {112, "112th"}, {113, "113th"},
        {1000, "1000th"}, {1002, "1002nd"},
    };
    for (const auto& [k, text] : cases) EXPECT_EQ(std::to_string(k) + OrdinalSuffix(k), text);
}

TEST_F(CalculateTest, SceneWithoutMirrorsConvergesInOnePass) {
    ChangingObject& emitter = Add(0);
    Calculate(list, window);
    EXPECT_EQ(emitter.passes, 1);
    EXPECT_TRUE(prgvar().berechnet);
    EXPECT_EQ(window.Captions(), Captions(1));
    EXPECT_EQ(window.Caption(), "Brevanto 2.0");
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_FALSE(headless.progressVisible);
    EXPECT_EQ(headless.progressTexts,
              std::vector<std::string>{"Brevanto 2.0 is calculating the radiositys:\r1st iteration"});
}

TEST_F(CalculateTest, RunsUntilNothingChanges) {
    ChangingObject& mirror = Add(3);
    Calculate(list, window);
    EXPECT_EQ(mirror.passes, 4) << "the fourth pass finds no change";
    EXPECT_EQ(window.Captions(), Captions(4));
    EXPECT_EQ(headless.progressTexts.back(), "Brevanto 2.0 is calculating the radiositys:\r4th iteration");
    EXPECT_EQ(headless.progressShown, 1);
}

TEST_F(CalculateTest, EveryObjectTakesPartInEveryPassInListOrder) {
    Add(2, "first");
    Add(0, "second");
    Add(0, "third");
    Calculate(list, window);
    EXPECT_EQ(log, (std::vector<std::string>{"first prepared", "second prepared", "third prepared", "first 1",
                                             "second 1", "third 1", "first 2", "second 2", "third 2", "first 3",
                                             "second 3", "third 3"}));
}

TEST_F(CalculateTest, StopsAtTheIterationLimit) {
    struct Case {
        int32_t limit;
        int passes;
    };
    // At least one pass, also for a limit of 0 or below.
    const Case cases[] = {{1, 1}, {3, 3}, {0, 1}, {-5, 1}};
    for (const Case& c : cases) {
        SetPrgvar(std::make_unique<Tprgvar>(600, 800, 0));
        prgvar().maximaleiterationen = c.limit;
        TSceneList scene;
        auto object = std::make_unique<ChangingObject>("mirror", 1000, log);
        ChangingObject& mirror = *object;
        scene.Append(std::move(object));
        Calculate(scene, window);
        EXPECT_EQ(mirror.passes, c.passes) << "limit " << c.limit;
    }
}

TEST_F(CalculateTest, UpToDateResultsAreNotComputedAgain) {
    prgvar().maximaleiterationen = 1;
    ChangingObject& mirror = Add(1000);
    Calculate(list, window);
    EXPECT_EQ(mirror.passes, 1);
    // Another display without a change: no pass, no window, no caption.
    Calculate(list, window);
    EXPECT_EQ(mirror.passes, 1);
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_EQ(window.Captions(), Captions(1));
    // A change clears the flag: the next display continues.
    prgvar().berechnet = false;
    Calculate(list, window);
    EXPECT_EQ(mirror.passes, 2);
}

TEST_F(CalculateTest, UnusableResolutionStopsBeforeAnythingIsShown) {
    for (const auto& [sellaenge, richtungprosel] : {std::pair{0, 102}, std::pair{5, 0}, std::pair{-1, -1}}) {
        prgvar().sellaenge = sellaenge;
        prgvar().richtungprosel = richtungprosel;
        ChangingObject& mirror = Add(0);
        platform::ReportingErrors([&] { Calculate(list, window); });
        EXPECT_EQ(mirror.passes, 0);
        EXPECT_FALSE(prgvar().berechnet);
    }
    EXPECT_EQ(headless.messages.size(), 3u);
    EXPECT_EQ(headless.progressShown, 0);
    EXPECT_TRUE(window.Captions().empty());
    EXPECT_TRUE(log.empty()) << "no cache is prepared for an unusable resolution";
}

TEST_F(CalculateTest, BrokenPassLeavesTheResultsStale) {
    ChangingObject& mirror = Add(1000);
    mirror.failingPass = 2;
    EXPECT_THROW(Calculate(list, window), std::runtime_error);
    EXPECT_FALSE(prgvar().berechnet) << "the next display computes again";
    EXPECT_EQ(window.Caption(), "Brevanto 2.0");
    EXPECT_FALSE(headless.progressVisible);
}

using IterationsDialogTest = SceneTest;

TEST_F(IterationsDialogTest, ShowsAndStoresTheSettings) {
    prgvar().berechnet = true;
    prgvar().abbruchgenauigkeit = 0.01f;
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog.caption, "Iterations");
        EXPECT_EQ(dialog["Edit1"].caption, "Maximum number of iterations");
        EXPECT_EQ(dialog["Edit1"].text, "50");
        EXPECT_EQ(dialog["Edit2"].caption, "Criteria for the stop of the iterations");
        EXPECT_EQ(dialog["Edit2"].text, "0.01") << "five digits, not the float's 0.00999999977648258";
        // The "%" label directly after the second field, beside it, then OK.
        const auto& controls = dialog.controls;
        EXPECT_EQ(controls.size(), 4u);
        EXPECT_EQ(controls[2].kind, platform::Control::Kind::Label);
        EXPECT_EQ(controls[2].caption, "%");
        EXPECT_TRUE(controls[2].sameRow);
        EXPECT_EQ(controls[3].caption, "OK");
        EXPECT_TRUE(controls[3].isDefault);
        dialog["Edit1"].text = "20";
        dialog["Edit2"].text = "0,5";
        return platform::ModalResult::OK;
    });
    IterationsDialog();
    EXPECT_EQ(headless.shownDialogs.size(), 1u);
    EXPECT_EQ(prgvar().maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 0.5f);
    EXPECT_FALSE(prgvar().berechnet);
}

TEST_F(IterationsDialogTest, ConversionErrorKeepsTheFieldsBeforeIt) {
    prgvar().berechnet = true;
    AnswerOk({{"Edit1", "20"}, {"Edit2", "one"}});
    EXPECT_THROW(IterationsDialog(), platform::ConversionError);
    EXPECT_EQ(prgvar().maximaleiterationen, 20) << "converted before the error";
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 1.0f);
    EXPECT_TRUE(prgvar().berechnet) << "the flag stays as it was";

    AnswerOk({{"Edit1", "2x"}, {"Edit2", "3"}});
    EXPECT_THROW(IterationsDialog(), platform::ConversionError);
    EXPECT_EQ(prgvar().maximaleiterationen, 20);
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 1.0f);

    // At the top the error becomes a message.
    AnswerOk({{"Edit1", ""}, {"Edit2", "3"}});
    platform::ReportingErrors([] { IterationsDialog(); });
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0], "'' is not a valid integer value");
}

TEST_F(IterationsDialogTest, ClosedWithoutOkKeepsTheSettings) {
    prgvar().berechnet = true;
    IterationsDialog();  // no scripted answer: closed with Cancel
    EXPECT_EQ(headless.unansweredDialogs, std::vector<std::string>{"Iterations"});
    EXPECT_EQ(prgvar().maximaleiterationen, 50);
    EXPECT_FLOAT_EQ(prgvar().abbruchgenauigkeit, 1.0f);
    EXPECT_FALSE(prgvar().berechnet);
}

TEST_F(IterationsDialogTest, ShowsTheCurrentValuesEachTime) {
    AnswerOk({{"Edit1", "7"}, {"Edit2", "2.5"}});
    IterationsDialog();
    prgvar().maximaleiterationen = 9;
    headless.dialogAnswers.push_back([](platform::DialogSpec& dialog) {
        EXPECT_EQ(dialog["Edit1"].text, "9");
        EXPECT_EQ(dialog["Edit2"].text, "2.5");
        return platform::ModalResult::OK;
    });
    IterationsDialog();
    EXPECT_EQ(prgvar().maximaleiterationen, 9);
}

}  // namespace
