#include "platform/SafeFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/Errors.h"

namespace platform {

namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string Quoted(const std::string& fileName) { return "\"" + fileName + "\""; }

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
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

// Writes every byte and then waits until the disk has them; errno on failure.
bool WriteAllAndSync(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

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

// A rename counts only once the directory that holds it is on the disk.
void SyncDirectory(const std::string& fileName) {
    Descriptor directory(::open(DirectoryOf(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() < 0 || ::fsync(directory.Get()) != 0)
        throw InOutError("Cannot write file " + Quoted(fileName) + ". " + Reason(errno));
}

// A file with other hard links, or whose owner this process cannot give to a
// new file, keeps its identity only when it is overwritten where it is. The
// complete new contents wait in the temporary file meanwhile, so a failure
// leaves them there and says so.
void OverwriteInPlace(const std::string& target, const std::string& temporary, const std::string& bytes) {
    Descriptor out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (out.Get() < 0 || !WriteAllAndSync(out.Get(), bytes) || out.Close() != 0)
        throw InOutError("Cannot write file " + Quoted(target) + ". " + Reason(errno) + "\rThe new contents are in " +
                         Quoted(temporary) + ".");
    ::unlink(temporary.c_str());
}

}  // namespace

void ReplaceFileContents(const std::string& fileName, const std::string& bytes) {
    const std::string target = ResolvedTarget(fileName);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // As an editor does: a file nobody may write is not replaced behind the
    // user's back (root included, who could).
    if (exists && (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        throw InOutError("Cannot write file " + Quoted(target) + ". It is read-only.");

    const std::string temporary = target + ".part";
    // What an earlier save left behind when it was interrupted.
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
        throw InOutError("Cannot remove the old temporary file " + Quoted(temporary) + ". " + Reason(errno));
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
    Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (out.Get() < 0) throw InOutError("Cannot create file " + Quoted(temporary) + ". " + Reason(errno));
    // The mode and the owner of the file it replaces; the umask must not
    // narrow the mode.
    bool keepsOwner = true;
    if (exists) {
        if (::fchmod(out.Get(), mode) != 0) keepsOwner = false;
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
            ::fchown(out.Get(), existing.st_uid, existing.st_gid) != 0)
            keepsOwner = false;
    }
    if (!WriteAllAndSync(out.Get(), bytes) || out.Close() != 0) {
        const std::string reason = Reason(errno);
        ::unlink(temporary.c_str());
        throw InOutError("Cannot write file " + Quoted(temporary) + ". " + reason);
    }
    if (exists && (!keepsOwner || existing.st_nlink > 1)) {
        OverwriteInPlace(target, temporary, bytes);
        return;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string reason = Reason(errno);
        ::unlink(temporary.c_str());
        throw InOutError("Cannot replace file " + Quoted(target) + ". " + reason);
    }
    SyncDirectory(target);
}

}  // namespace platform
