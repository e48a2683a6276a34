// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeFileWrite.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/Errors.h"

namespace brevanto::platform {

namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string Quoted(const std::string& fileName) { return "\"" + fileName + "\""; }

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd(other.fd) { other.fd = -1; }
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    int Get() const { return fd; }
    // Closes now; a failed close may mean the data never reached the disk.
    int Close() {
        const int result = ::close(fd);
        fd = -1;
        return result;
    }

private:
    int fd;
};

// Writes every byte; errno on failure.
bool WriteAll(int fd, const char* data, size_t size) {
    size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// Waits until the disk has what was written and closes; errno on failure.
bool SyncAndClose(Descriptor& file) { return ::fsync(file.Get()) == 0 && file.Close() == 0; }

// The file a name stands for: a symbolic link is written through, so that
// the link stays and its target receives the data.
std::string ResolvedTarget(const std::string& fileName) {
    struct stat link {};
    if (::lstat(fileName.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return fileName;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(fileName.c_str(), nullptr), &std::free);
    if (resolved) return resolved.get();
    // A dangling link: create its target, as an editor does.
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(fileName.c_str(), target.data(), target.size() - 1);
    if (length <= 0) return fileName;
    target.resize(static_cast<size_t>(length));
    if (target.front() == '/') return target;
    const size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? target : fileName.substr(0, slash + 1) + target;
}

std::string DirectoryOf(const std::string& fileName) {
    const size_t slash = fileName.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// A file created or renamed counts only once the folder that holds it is on
// the disk; errno on failure.
bool SyncDirectory(const std::string& fileName) {
    Descriptor directory(::open(DirectoryOf(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directory.Get() >= 0 && ::fsync(directory.Get()) == 0;
}

// As an editor does: a file nobody may write is not written behind the
// user's back (root included, who could).
void RefuseReadOnly(const std::string& fileName, const struct stat& status) {
    if (::access(fileName.c_str(), W_OK) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw InOutError("Cannot write file " + Quoted(fileName) + ". It is read-only.");
}

// While a save writes into a pipe, a reader that has gone away makes the
// write fail (EPIPE) instead of ending the program with SIGPIPE.
class BrokenPipeIsAnError {
public:
    BrokenPipeIsAnError() {
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        alreadyPending = Pending();
        pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    }
    ~BrokenPipeIsAnError() {
        // The signal this save raised is taken before it can be delivered.
        if (!alreadyPending && Pending()) {
            const timespec noWait{};
            sigtimedwait(&pipeSignal, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    }
    BrokenPipeIsAnError(const BrokenPipeIsAnError&) = delete;
    BrokenPipeIsAnError& operator=(const BrokenPipeIsAnError&) = delete;

private:
    static bool Pending() {
        sigset_t pending;
        sigpending(&pending);
        return sigismember(&pending, SIGPIPE) == 1;
    }
    sigset_t pipeSignal{};
    sigset_t previousMask{};
    bool alreadyPending = false;
};

// A device, a pipe or a terminal is no file that could be replaced: the
// bytes go straight into it.
void WriteInto(const std::string& fileName, const struct stat& status, const std::string& bytes) {
    const auto failed = [&](const std::string& why) {
        return InOutError("Cannot write file " + Quoted(fileName) + ". " + why);
    };
    if (S_ISDIR(status.st_mode)) throw failed("It is a folder.");
    if (S_ISSOCK(status.st_mode)) throw failed("It is a socket, which cannot be opened as a file.");
    RefuseReadOnly(fileName, status);
    const BrokenPipeIsAnError pipeGuard;
    // Opening a pipe that nobody reads from would wait for a reader, and the
    // program with it.
    Descriptor out(::open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (out.Get() < 0)
        throw failed(errno == ENXIO && S_ISFIFO(status.st_mode) ? "Nothing reads from it." : Reason(errno));
    // A slow reader is waited for.
    const int flags = ::fcntl(out.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(out.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !WriteAll(out.Get(), bytes.data(), bytes.size()))
        throw failed(Reason(errno));
    // A pipe or a terminal has nothing to sync (EINVAL); a disk has.
    if ((::fsync(out.Get()) != 0 && errno != EINVAL) || out.Close() != 0) throw failed(Reason(errno));
}

// A file of this save beside the target, never one that exists; no file
// (errno) when it cannot be created. It gets the owner and the read and write
// bits of `like` where this process can give them, but no execute bits while
// it is written; keepsOwner tells whether both were given. Without `like` it
// gets the usual mode.
struct Created {
    Descriptor file;
    bool keepsOwner = true;
};
Created CreateBeside(const std::string& name, const struct stat* like) {
    const mode_t mode = like ? (like->st_mode & 0666) : 0666;
    Created created{Descriptor(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode))};
    if (like && created.file.Get() >= 0) {
        const int fd = created.file.Get();
        if ((like->st_uid != ::geteuid() || like->st_gid != ::getegid()) &&
            ::fchown(fd, like->st_uid, like->st_gid) != 0)
            created.keepsOwner = false;
        // The umask must not narrow the mode.
        if (::fchmod(fd, mode) != 0) created.keepsOwner = false;
    }
    return created;
}

// Whether both are regular files with the same bytes.
bool SameContents(const std::string& one, const std::string& other) {
    struct stat a {};
    struct stat b {};
    if (::lstat(one.c_str(), &a) != 0 || ::stat(other.c_str(), &b) != 0 || !S_ISREG(a.st_mode) || !S_ISREG(b.st_mode) ||
        a.st_size != b.st_size)
        return false;
    std::ifstream first(one, std::ios::binary), second(other, std::ios::binary);
    std::array<char, 1 << 16> x{}, y{};
    while (first && second) {
        first.read(x.data(), x.size());
        second.read(y.data(), y.size());
        if (first.gcount() != second.gcount() ||
            std::memcmp(x.data(), y.data(), static_cast<size_t>(first.gcount())) != 0)
            return false;
    }
    return !first.bad() && !second.bad() && first.eof() && second.eof();
}

bool Exists(const std::string& name) {
    struct stat status {};
    return ::lstat(name.c_str(), &status) == 0;
}

// What an interrupted save left beside the target goes only when it is no
// one's only copy (see the header); anything else stops this save.
void ClearLeftovers(const std::string& target, const std::string& temporary, const std::string& backup) {
    const bool newContentsSaved = SameContents(temporary, target);
    std::vector<std::string> kept;
    // The backup first: a kill between the two removals then leaves a
    // NAME.part that still shows the save as finished.
    for (const std::string& leftover : {backup, temporary}) {
        if (!Exists(leftover)) continue;
        if (newContentsSaved || SameContents(leftover, target)) {
            if (::unlink(leftover.c_str()) != 0)
                throw InOutError("Cannot remove the file " + Quoted(leftover) + " of an earlier save. " +
                                 Reason(errno));
        } else {
            kept.push_back(Quoted(leftover));
        }
    }
    if (kept.empty()) return;
    const bool one = kept.size() == 1;
    throw InOutError("Cannot write file " + Quoted(target) + ". A save of it was interrupted and left " +
                     (one ? kept[0] + "; it may be the only complete copy"
                          : kept[0] + " and " + kept[1] + "; they may be the only complete copies") +
                     " of its previous or new contents.\rMove " + (one ? "it" : "them") + " away to save again.");
}

// Copies what the file holds into `to`, synced; errno on failure.
bool CopyAndSync(const std::string& from, Descriptor& to) {
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) return false;
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t n = ::read(in.Get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        if (!WriteAll(to.Get(), buffer.data(), static_cast<size_t>(n))) return false;
    }
    return SyncAndClose(to);
}

void Report(const std::function<void(SaveStep)>& afterStep, SaveStep step) {
    if (afterStep) afterStep(step);
}

// Steps 2 to 4 of an in-place save (see the header); NAME.part holds the new
// contents already.
void OverwriteInPlace(const std::string& target, const struct stat& existing, const std::string& temporary,
                      const std::string& backup, const std::string& bytes,
                      const std::function<void(SaveStep)>& afterStep) {
    // Until the target is touched both spare files are this save's own: a
    // failure removes them and leaves the target as it was.
    const auto giveUp = [&](const std::string& failedFile, int error) {
        ::unlink(backup.c_str());
        ::unlink(temporary.c_str());
        return InOutError("Cannot write file " + Quoted(failedFile) + ". " + Reason(error));
    };
    Descriptor previous = CreateBeside(backup, &existing).file;
    if (previous.Get() < 0 || !CopyAndSync(target, previous)) throw giveUp(backup, errno);
    if (!SyncDirectory(target)) throw giveUp(target, errno);
    Report(afterStep, SaveStep::PreviousContentsKept);

    Descriptor out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (out.Get() < 0) throw giveUp(target, errno);
    Report(afterStep, SaveStep::TargetEmptied);
    if (!WriteAll(out.Get(), bytes.data(), bytes.size()) || !SyncAndClose(out))
        throw InOutError("Cannot write file " + Quoted(target) + ". " + Reason(errno) +
                         "\rIts previous contents are in " + Quoted(backup) + ", the new ones in " + Quoted(temporary) +
                         ".");
    Report(afterStep, SaveStep::TargetWritten);
    ::unlink(backup.c_str());
    Report(afterStep, SaveStep::BackupRemoved);
    ::unlink(temporary.c_str());
}

}  // namespace

void ReplaceFileContents(const std::string& fileName, const std::string& bytes) {
    ReplaceFileContents(fileName, bytes, nullptr);
}

void ReplaceFileContents(const std::string& fileName, const std::string& bytes,
                         const std::function<void(SaveStep)>& afterStep) {
    struct stat existing {};
    if (::stat(fileName.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return WriteInto(fileName, existing, bytes);
    const std::string target = ResolvedTarget(fileName);
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) RefuseReadOnly(target, existing);

    const std::string temporary = target + ".part", backup = target + ".previous";
    ClearLeftovers(target, temporary, backup);
    auto [out, keepsOwner] = CreateBeside(temporary, exists ? &existing : nullptr);
    if (out.Get() < 0) throw InOutError("Cannot create file " + Quoted(temporary) + ". " + Reason(errno));
    // The replacing file takes the target's whole mode once it is complete.
    if (!WriteAll(out.Get(), bytes.data(), bytes.size()) ||
        (exists && ::fchmod(out.Get(), existing.st_mode & 07777) != 0) || !SyncAndClose(out)) {
        const std::string reason = Reason(errno);
        ::unlink(temporary.c_str());
        throw InOutError("Cannot write file " + Quoted(temporary) + ". " + reason);
    }
    Report(afterStep, SaveStep::NewContentsWritten);
    if (exists && (!keepsOwner || existing.st_nlink > 1))
        return OverwriteInPlace(target, existing, temporary, backup, bytes, afterStep);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string reason = Reason(errno);
        ::unlink(temporary.c_str());
        throw InOutError("Cannot replace file " + Quoted(target) + ". " + reason);
    }
    if (!SyncDirectory(target)) throw InOutError("Cannot write file " + Quoted(target) + ". " + Reason(errno));
}

}  // namespace brevanto::platform
