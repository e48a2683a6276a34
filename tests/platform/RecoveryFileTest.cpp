// SPDX-License-Identifier: GPL-3.0-or-later
// The copy of an unsaved scene that outlives a crash.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "platform/RecoveryFile.h"

using namespace brevanto;

namespace {

using brevanto::platform::RecoveryFile;

class RecoveryFileTest : public ::testing::Test, protected TempFolder {
protected:
    std::string OwnCopy() const { return PathOf("scene-" + std::to_string(getpid()) + ".brv"); }
};

TEST_F(RecoveryFileTest, KeepsItsOwnCopyUntilRemovedAndLeavesNoLockBehind) {
    {
        RecoveryFile recovery(folder.string());
        recovery.Keep("first");
        recovery.Keep("second");
        EXPECT_EQ(ReadBytes(OwnCopy()), "second");
        recovery.Remove();
        EXPECT_FALSE(std::filesystem::exists(OwnCopy()));
        recovery.Keep("third");
    }
    EXPECT_EQ(ReadBytes(OwnCopy()), "third") << "a program that did not remove its copy leaves it";
    EXPECT_FALSE(std::filesystem::exists(PathOf("scene-" + std::to_string(getpid()) + ".lock")));
}

// A copy is taken only when no running program holds its lock; the newest
// is offered, and taking it removes every copy left behind.
TEST_F(RecoveryFileTest, TakesTheNewestCopyThatNoRunningProgramHolds) {
    WriteBytes(PathOf("scene-1000001.brv"), "older");
    WriteBytes(PathOf("scene-1000002.brv"), "newer");
    WriteBytes(PathOf("scene-1000003.brv"), "of a program that runs");
    const auto old = std::filesystem::last_write_time(PathOf("scene-1000002.brv")) - std::chrono::hours(1);
    std::filesystem::last_write_time(PathOf("scene-1000001.brv"), old);
    const int running = open(PathOf("scene-1000003.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(running, LOCK_EX), 0);

    RecoveryFile recovery(folder.string());
    recovery.Keep("this program's own");
    const std::optional<RecoveryFile::Abandoned> taken = recovery.TakeAbandoned();
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->text, "newer");
    EXPECT_FALSE(std::filesystem::exists(PathOf("scene-1000001.brv")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("scene-1000002.brv")));
    EXPECT_TRUE(std::filesystem::exists(PathOf("scene-1000003.brv")));
    EXPECT_EQ(ReadBytes(OwnCopy()), "this program's own");
    EXPECT_FALSE(recovery.TakeAbandoned().has_value());
    close(running);
}

TEST_F(RecoveryFileTest, AFolderThatCannotBeWrittenKeepsNoCopyAndSaysNothing) {
    WriteBytes(PathOf("file"), "");
    RecoveryFile recovery(PathOf("file") + "/below");
    recovery.Keep("text");
    EXPECT_FALSE(recovery.TakeAbandoned().has_value());
    RecoveryFile none("");
    none.Keep("text");
    EXPECT_FALSE(none.TakeAbandoned().has_value());
}

}  // namespace
