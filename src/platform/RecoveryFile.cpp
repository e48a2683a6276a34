// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RecoveryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

namespace brevanto::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "scene-";

std::string LockNameOf(const fs::path& copy) { return fs::path(copy).replace_extension(".lock").string(); }

// The descriptor that holds the file's lock; -1 when another program holds
// it or the file cannot be opened.
int TryLock(const std::string& name) {
    const int descriptor = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return -1;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

void Release(int descriptor, const std::string& lockName) {
    std::error_code error;
    fs::remove(lockName, error);
    ::close(descriptor);
}

}  // namespace

RecoveryFile::RecoveryFile(std::string folderToUse) : folder(std::move(folderToUse)) {
    if (folder.empty()) return;
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path copy = fs::path(folder) / (std::string(kPrefix) + std::to_string(::getpid()) + ".brv");
    lock = TryLock(LockNameOf(copy));
    if (lock >= 0) copyName = copy.string();
}

RecoveryFile::~RecoveryFile() {
    if (lock >= 0) Release(lock, LockNameOf(copyName));
}

void RecoveryFile::Keep(const std::string& text) {
    if (copyName.empty() || text == kept) return;
    try {
        ReplaceFileContents(copyName, text);
        kept = text;
    } catch (const InOutError&) {
        // A full disk or a folder that cannot be written: no copy this time.
    }
}

void RecoveryFile::Remove() {
    if (copyName.empty()) return;
    std::error_code error;
    fs::remove(copyName, error);
    kept.clear();
}

std::optional<RecoveryFile::Abandoned> RecoveryFile::TakeAbandoned() {
    std::optional<Abandoned> newest;
    if (copyName.empty()) return newest;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        if (path == copyName || path.extension() != ".brv" || !path.filename().string().starts_with(kPrefix)) continue;
        const std::string lockName = LockNameOf(path);
        const int held = TryLock(lockName);
        if (held < 0) continue;  // its program still runs
        struct stat status {};
        std::ifstream in(path, std::ios::binary);
        if (::stat(path.c_str(), &status) == 0 && in) {
            Abandoned found{std::string(std::istreambuf_iterator<char>(in), {}), status.st_mtime};
            if (!newest || found.written >= newest->written) newest = std::move(found);
        }
        fs::remove(path, error);
        Release(held, lockName);
    }
    return newest;
}

}  // namespace brevanto::platform
