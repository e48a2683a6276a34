// SPDX-License-Identifier: GPL-3.0-or-later
// Saving keeps what the user had: the file's mode, owner and links, and the
// previous contents when the save cannot be done.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <thread>

#include "TestFiles.h"
#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

using namespace brevanto;

namespace fs = std::filesystem;
using brevanto::platform::ReplaceFileContents;
using brevanto::platform::SaveStep;

namespace {

class SafeFileWriteTest : public ::testing::Test, protected TempFolder {
protected:
    static struct stat Status(const std::string& path) {
        struct stat status {};
        EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
        return status;
    }
    // The message of the InOutError that saving `bytes` to `path` raises.
    static std::string Failure(const std::string& path, const std::string& bytes) {
        try {
            ReplaceFileContents(path, bytes);
        } catch (const platform::InOutError& error) {
            return error.what();
        }
        return "no error";
    }
};

// Regression test: the replacing file used to be created with the default
// mode, so a private file (600) came back readable by everyone (644). A new
// file gets the usual mode.
TEST_F(SafeFileWriteTest, ModeOfTheReplacedFileIsKept) {
    const std::string path = PathOf("private.brv");
    const mode_t mask = ::umask(022);
    ReplaceFileContents(path, "new");
    ::umask(mask);
    EXPECT_EQ(Status(path).st_mode & 07777, 0644u);
    for (mode_t mode : {0600, 0640, 0604}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ReplaceFileContents(path, "new");
        EXPECT_EQ(Status(path).st_mode & 07777, mode);
        EXPECT_EQ(ReadBytes(path), "new");
    }
    EXPECT_FALSE(fs::exists(path + ".part"));
}

// Regression test: a symbolic link used to be replaced by a regular file, and
// a file with a second hard link lost the link.
TEST_F(SafeFileWriteTest, LinksStayAndTheirTargetReceivesTheData) {
    fs::create_directory(folder / "real");
    const std::string target = PathOf("real/scene.brv"), link = PathOf("link.brv"), second = PathOf("second.brv");
    WriteBytes(target, "old");
    fs::create_symlink("real/scene.brv", link);
    ReplaceFileContents(link, "through the link");
    EXPECT_TRUE(S_ISLNK(Status(link).st_mode));
    EXPECT_EQ(ReadBytes(target), "through the link");
    EXPECT_FALSE(fs::exists(target + ".part") || fs::exists(link + ".part"));

    fs::create_hard_link(target, second);
    ReplaceFileContents(target, "both names");
    EXPECT_EQ(ReadBytes(second), "both names");
    EXPECT_EQ(Status(target).st_ino, Status(second).st_ino);
    EXPECT_EQ(Status(target).st_nlink, 2u);
}

// Regression test: a read-only file used to be replaced without a word.
// A save that fails leaves nothing behind.
TEST_F(SafeFileWriteTest, ReadOnlyFileIsRefusedWithAMessageNamingIt) {
    const std::string path = PathOf("kept.brv");
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::string message = Failure(path, "new");
    EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Status(path).st_mode & 07777, 0444u);
    EXPECT_FALSE(fs::exists(path + ".part"));

    const std::string missing = PathOf("no-such-folder/scene.brv");
    EXPECT_NE(Failure(missing, "x").find("\"" + missing + ".part\""), std::string::npos);
    EXPECT_FALSE(fs::exists(PathOf("no-such-folder")));
}

// Regression test: a temporary file left by a save that was killed used to
// be deleted by the next save, also when it held the only complete copy of
// the new contents. It goes only when the target has its contents.
TEST_F(SafeFileWriteTest, LeftoverOfAnInterruptedSaveGoesOnlyWhenTheTargetHasItsContents) {
    const std::string path = PathOf("scene.brv");
    WriteBytes(path, "saved");
    WriteBytes(path + ".part", "saved");
    ::chmod((path + ".part").c_str(), 0400);
    ReplaceFileContents(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(fs::exists(path + ".part"));

    // A hard-linked file emptied by a save that was killed, its new contents
    // waiting in NAME.part.
    fs::create_hard_link(path, PathOf("second.brv"));
    WriteBytes(path, "");
    WriteBytes(path + ".part", "the only complete copy");
    std::string message = Failure(path, "newer");
    EXPECT_NE(message.find("\"" + path + ".part\""), std::string::npos) << message;
    EXPECT_NE(message.find("only complete copy"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(path + ".part"), "the only complete copy");
    EXPECT_EQ(ReadBytes(path), "");

    fs::remove(path + ".part");
    fs::create_directories(path + ".part/inside");  // nothing this program left: it stays
    message = Failure(path, "newer");
    EXPECT_NE(message.find("\"" + path + ".part\""), std::string::npos) << message;
    EXPECT_TRUE(fs::exists(path + ".part/inside"));
    EXPECT_FALSE(fs::exists(path + ".previous"));
}

// Regression test: a file with a second hard link was emptied and then
// written, so a kill in between left it empty. Stopped after every step (as
// a kill would stop it), the save leaves the complete previous contents or
// the complete new ones, and the next save removes only what is provably
// someone else's copy.
TEST_F(SafeFileWriteTest, InterruptedSaveOfAHardLinkedFileKeepsTheOldOrTheNewContents) {
    struct Row {
        SaveStep step;
        std::string target, part, previous;  // "-" for no file
        bool nextSaveDone;                   // else refused, naming what is kept
    };
    const std::vector<Row> rows{
        {SaveStep::NewContentsWritten, "old", "new", "-", false},
        {SaveStep::PreviousContentsKept, "old", "new", "old", false},
        {SaveStep::TargetEmptied, "", "new", "old", false},
        {SaveStep::TargetWritten, "new", "new", "old", true},
        {SaveStep::BackupRemoved, "new", "new", "-", true},
    };
    const std::string path = PathOf("scene.brv"), second = PathOf("second.brv");
    const auto contents = [](const std::string& name) { return fs::exists(name) ? ReadBytes(name) : "-"; };
    for (const Row& row : rows) {
        const auto step = static_cast<int>(row.step);
        for (const std::string& name : {path, second, path + ".part", path + ".previous"}) fs::remove(name);
        WriteBytes(path, "old");
        fs::create_hard_link(path, second);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Nothing may run after the step: no destructor, no clean-up.
            try {
                ReplaceFileContents(path, "new", [&](SaveStep reached) {
                    if (reached == row.step) ::_exit(0);
                });
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "step " << step << " not reached";
        EXPECT_EQ(contents(path), row.target) << "step " << step;
        EXPECT_EQ(contents(path + ".part"), row.part) << "step " << step;
        EXPECT_EQ(contents(path + ".previous"), row.previous) << "step " << step;
        EXPECT_EQ(Status(second).st_ino, Status(path).st_ino) << "step " << step;

        const std::string message = Failure(path, "next");
        if (row.nextSaveDone) {
            EXPECT_EQ(message, "no error") << "step " << step;
            EXPECT_EQ(ReadBytes(second), "next") << "step " << step;
            EXPECT_EQ(Status(path).st_nlink, 2u);
            EXPECT_FALSE(fs::exists(path + ".part") || fs::exists(path + ".previous")) << "step " << step;
            continue;
        }
        EXPECT_EQ(contents(path), row.target) << "step " << step;
        EXPECT_EQ(contents(path + ".part"), "new") << "step " << step;
        EXPECT_NE(message.find("\"" + path + ".part\""), std::string::npos) << message;
        // A backup with the target's contents is no one's only copy.
        const std::string previous = row.previous == row.target ? "-" : row.previous;
        EXPECT_EQ(contents(path + ".previous"), previous) << "step " << step;
        EXPECT_EQ(message.find(".previous") != std::string::npos, previous != "-") << message;
    }
}

// Regression test: a folder given as the file name left a stray executable
// NAME.part beside it.
TEST_F(SafeFileWriteTest, FolderIsRefusedBeforeAnythingIsCreated) {
    const std::string path = PathOf("scenes");
    fs::create_directory(path);
    fs::create_symlink("scenes", PathOf("link"));
    for (const std::string& name : {path, PathOf("link")}) {
        const std::string message = Failure(name, "new");
        EXPECT_NE(message.find("\"" + name + "\". It is a folder."), std::string::npos) << message;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    EXPECT_TRUE(fs::is_empty(path));
}

// Regression test: a device or a named pipe was replaced by a regular file
// holding the data (as root even /dev/null). It receives the data instead; a
// pipe nobody reads from is refused rather than waited for.
TEST_F(SafeFileWriteTest, DeviceOrPipeIsWrittenIntoNeverReplaced) {
    const std::string pipe = PathOf("pipe"), link = PathOf("link");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("pipe", link);
    const std::string message = Failure(link, "nobody reads");
    EXPECT_NE(message.find("\"" + link + "\". Nothing reads from it."), std::string::npos) << message;

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ReplaceFileContents(link, "through the pipe");
    std::string received(64, '\0');
    received.resize(static_cast<size_t>(std::max<ssize_t>(::read(reader, received.data(), received.size()), 0)));
    ::close(reader);
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Status(pipe).st_mode));
    EXPECT_TRUE(S_ISLNK(Status(link).st_mode));

    // What /dev/stdout stands for when standard output goes into a pipe.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ReplaceFileContents("/proc/self/fd/" + std::to_string(ends[1]), "into standard output");
    ::close(ends[1]);
    received.assign(64, '\0');
    received.resize(static_cast<size_t>(std::max<ssize_t>(::read(ends[0], received.data(), received.size()), 0)));
    ::close(ends[0]);
    EXPECT_EQ(received, "into standard output");

    // Only root may make a device node; /dev/null itself is not put at risk.
    const std::string null = PathOf("null");
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        ReplaceFileContents(null, "gone");
        EXPECT_TRUE(S_ISCHR(Status(null).st_mode));
    }
    EXPECT_FALSE(fs::exists(pipe + ".part") || fs::exists(link + ".part") || fs::exists(null + ".part"));
}

// Regression test: a reader that went away in the middle of a save ended the
// program with SIGPIPE, and with it everything the user had not saved.
TEST_F(SafeFileWriteTest, ReaderThatGoesAwayFailsTheSaveWithAMessage) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    // Reads the first byte, so the save has opened the pipe, and leaves.
    std::thread reader([&] {
        char first = 0;
        [[maybe_unused]] const ssize_t n = ::read(ends[0], &first, 1);
        ::close(ends[0]);
    });
    const std::string message = Failure("/proc/self/fd/" + std::to_string(ends[1]), std::string(1 << 20, 'x'));
    ::close(ends[1]);  // ends the reader also when the save never wrote
    reader.join();
    EXPECT_NE(message.find("Broken pipe"), std::string::npos) << message;
}

// Only root can give a file to someone else, so only root can see the owner
// kept; for anyone else every file this test could make is already theirs.
TEST_F(SafeFileWriteTest, OwnerOfTheReplacedFileIsKept) {
    const std::string path = PathOf("theirs.brv");
    WriteBytes(path, "old");
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a file owned by another user";
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ::chmod(path.c_str(), 0640);
    ReplaceFileContents(path, "new");
    EXPECT_EQ(Status(path).st_uid, 4321u);
    EXPECT_EQ(Status(path).st_gid, 4322u);
    EXPECT_EQ(Status(path).st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path), "new");
}

}  // namespace
