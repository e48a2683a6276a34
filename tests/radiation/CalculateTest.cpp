// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "HeadlessFixture.h"
#include "model/IterationPass.h"
#include "model/SceneList.h"
#include "platform/Errors.h"
#include "radiation/Calculation.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::radiation;

namespace {

// Reports a change in its first `changingPasses` passes and writes its passes
// into a log shared with the other objects of the scene.
struct ChangingObject : Tszeneobjekt {
    ChangingObject(std::string name, int changingPasses, std::vector<std::string>& log)
        : name(std::move(name)), changingPasses(changingPasses), log(log) {}
    PassChange Iterate(const SceneList&, IterationPass&) override {
        log.push_back(name + " " + std::to_string(++passes));
        if (passes == failingPass) throw std::runtime_error("broken pass");
        return {passes <= changingPasses, passes <= changingPasses ? 100.0 / passes : 0.0};
    }
    void PrepareQueries(const Tprgvar&) override { log.push_back(name + " prepared"); }

    std::string name;
    int changingPasses;
    std::vector<std::string>& log;
    int passes = 0, failingPass = 0;
};

// A pass over `elements` elements, each counted as it is done and followed by
// the check between elements, after time enough for the window to show it.
struct SlowElements : Tszeneobjekt {
    explicit SlowElements(int64_t elements) : elements(elements) {}
    PassChange Iterate(const SceneList&, IterationPass& pass) override {
        for (int64_t i = 0; i < elements; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            pass.ElementDone();
            pass.stop();
        }
        return {};
    }
    int64_t PassElements() const override { return elements; }

    int64_t elements;
};

class CalculateTest : public HeadlessSceneTest {
protected:
    ChangingObject& Add(int changingPasses, const std::string& name = "object") {
        list.Append(std::make_unique<ChangingObject>(name, changingPasses, log));
        list.CleanAndNumber();
        return static_cast<ChangingObject&>(list.Tail());
    }

    // Calculate as the main window runs it.
    int32_t Calculate() { return radiation::Calculate(list, settings, window, headless.Progress()).passes; }

    SceneList list{std::make_unique<Tszeneobjekt>()};
    platform::HeadlessWindow window{800, 600};
    std::vector<std::string> log;
};

TEST_F(CalculateTest, EveryObjectTakesPartInEveryPassUntilNothingChanges) {
    Add(2, "first");
    Add(0, "second");
    Calculate();
    EXPECT_EQ(log, (std::vector<std::string>{"first prepared", "second prepared", "first 1", "second 1", "first 2",
                                             "second 2", "first 3", "second 3"}));
    EXPECT_TRUE(settings.berechnet);
    EXPECT_EQ(window.Captions(),
              (std::vector<std::string>{"Brevanto 2.0 , 1st iteration", "Brevanto 2.0 , 2nd iteration",
                                        "Brevanto 2.0 , 3rd iteration", "Brevanto 2.0"}));
    EXPECT_EQ(headless.progressTexts.front(), "Brevanto 2.0 is calculating the radiositys:\r1st iteration");
    EXPECT_FALSE(headless.progressVisible);
    // Up to date: no pass, no progress window, no caption.
    Calculate();
    EXPECT_EQ(log.size(), 8u);
    EXPECT_EQ(headless.progressShown, 1);
    EXPECT_EQ(window.Captions().size(), 4u);
    std::string passes;
    for (const int32_t k : {11, 21, 22, 111}) passes += std::to_string(k) + OrdinalSuffix(k) + " ";
    EXPECT_EQ(passes, "11th 21st 22nd 111th ");
}

// From the second pass on, the progress tells how far the last pass moved the
// values against the stop criterion, so that the user sees them converge.
TEST_F(CalculateTest, ProgressShowsTheLargestChangeOfTheLastPass) {
    settings.abbruchgenauigkeit = 0.5;
    Add(2);
    Calculate();
    const std::string start = "Brevanto 2.0 is calculating the radiositys:\r";
    EXPECT_EQ(headless.progressTexts,
              (std::deque<std::string>{start + "1st iteration",
                                       start + "2nd iteration\rLargest change in the last pass: 100 % (stop "
                                               "criterion 0.5 %)",
                                       start + "3rd iteration\rLargest change in the last pass: 50 % (stop "
                                               "criterion 0.5 %)"}));
}

// Regression test: the bar moved only from pass to pass, out of the allowed
// number of passes, so it stood at 0 % through a long first pass. It now
// follows the elements of the pass as they are done.
TEST_F(CalculateTest, ProgressBarMovesWithinAPass) {
    list.Append(std::make_unique<SlowElements>(4));
    list.CleanAndNumber();
    settings.maximaleiterationen = 1'000'000;
    Calculate();
    ASSERT_FALSE(headless.progressShares.empty());
    EXPECT_EQ(headless.progressShares.front(), 0);
    const auto within = std::count_if(headless.progressShares.begin(), headless.progressShares.end(),
                                      [](double share) { return share > 0 && share < 1; });
    EXPECT_GE(within, 2) << "a share shown after each element but the last";
}

TEST_F(CalculateTest, StopsAtTheIterationLimit) {
    // At least one pass, also for a limit of 0.
    for (const auto& [limit, passes] : {std::pair{3, 3}, std::pair{0, 1}}) {
        settings.berechnet = false;
        settings.maximaleiterationen = limit;
        ChangingObject& mirror = Add(1000);
        Calculate();
        EXPECT_EQ(mirror.passes, passes) << "limit " << limit;
    }
}

TEST_F(CalculateTest, UnusableResolutionStopsBeforeAnythingIsShown) {
    for (const auto& [sellaenge, richtungprosel] : {std::pair{0, 102}, std::pair{5, 0}}) {
        settings.sellaenge = sellaenge;
        settings.richtungprosel = richtungprosel;
        Add(0);
        platform::ReportingErrors(headless, [&] { Calculate(); });
    }
    EXPECT_EQ(headless.messages.size(), 2u);
    EXPECT_FALSE(settings.berechnet);
    EXPECT_EQ(headless.progressShown, 0);
    EXPECT_TRUE(window.Captions().empty());
    EXPECT_TRUE(log.empty()) << "no pass, not even the preparation";
}

// A pass that fails, or a deadline that has passed (as a Cancel button
// does), ends the computation between two objects; the scene stays uncomputed.
TEST_F(CalculateTest, BrokenOrCancelledComputationLeavesTheResultsStale) {
    Add(1000).failingPass = 2;
    EXPECT_THROW(Calculate(), std::runtime_error);
    ChangingObject& second = Add(1000, "second");
    headless.deadline = std::chrono::steady_clock::now();
    EXPECT_THROW(Calculate(), platform::Stopped);
    EXPECT_EQ(second.passes, 0);
    EXPECT_EQ(headless.progressShown, 2);
    EXPECT_FALSE(settings.berechnet) << "the next display computes again";
    EXPECT_EQ(window.Caption(), "Brevanto 2.0");
    EXPECT_FALSE(headless.progressVisible);
}

}  // namespace
