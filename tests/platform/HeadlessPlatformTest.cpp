// SPDX-License-Identifier: GPL-3.0-or-later
// The headless platform records what the program shows, within bounds.
#include <gtest/gtest.h>

#include <string>

#include "platform/HeadlessPlatform.h"

using namespace brevanto;

namespace {

// Regression test: every caption and progress text was kept, so the
// command-line tool grew by about a megabyte a second during a long
// computation. The latest ones are what tests and the tool read.
TEST(HeadlessPlatform, KeepsOnlyTheLatestCaptionsAndProgress) {
    platform::HeadlessWindow window(100, 100);
    platform::HeadlessPlatform headless;
    platform::ProgressWindow& progress = headless.Progress();
    constexpr int kChanges = 100000;
    for (int i = 1; i <= kChanges; ++i) {
        window.SetCaption("Brevanto 2.0 , pass " + std::to_string(i));
        progress.SetText("Progress: " + std::to_string(i));
        progress.SetShare(static_cast<double>(i) / kChanges);
    }
    EXPECT_EQ(window.Caption(), "Brevanto 2.0 , pass 100000");
    ASSERT_EQ(window.Captions().size(), platform::kRecorded);
    EXPECT_EQ(window.Captions().front(), "Brevanto 2.0 , pass " + std::to_string(kChanges - platform::kRecorded + 1));
    EXPECT_EQ(window.Captions().back(), window.Caption());
    ASSERT_EQ(headless.progressTexts.size(), platform::kRecorded);
    EXPECT_EQ(headless.progressTexts.back(), "Progress: 100000");
    ASSERT_EQ(headless.progressShares.size(), platform::kRecorded);
    EXPECT_EQ(headless.progressShares.back(), 1.0);
}

}  // namespace
