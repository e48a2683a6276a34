// Saving keeps what the user had: the file's mode, owner and links, and the
// previous contents when the save cannot be done.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestFiles.h"
#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

namespace fs = std::filesystem;
using platform::ReplaceFileContents;

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

// Regression test: a temporary file left by a save that was killed between
// writing and renaming used to stay, and one that could not be replaced
// blocked every later save with a message naming the target instead of it.
TEST_F(SafeFileWriteTest, StaleTemporaryFileIsCleanedUpOrNamed) {
    const std::string path = PathOf("scene.brv");
    WriteBytes(path, "old");
    WriteBytes(path + ".part", "half a save");
    ::chmod((path + ".part").c_str(), 0400);
    ReplaceFileContents(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(fs::exists(path + ".part"));

    fs::create_directories(path + ".part/inside");  // nothing this program left: it stays
    const std::string message = Failure(path, "newer");
    EXPECT_NE(message.find("\"" + path + ".part\""), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_TRUE(fs::exists(path + ".part/inside"));
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
