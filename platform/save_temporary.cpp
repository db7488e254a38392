// The temporary file of a save: unnamed where possible, else named, and left-overs removed.
#include "platform/save_temporary.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/format.h"

namespace tracklore::platform {

namespace {

namespace fs = std::filesystem;

constexpr int kNameTries = 100;
constexpr size_t kMaxHostTag = 32;
constexpr size_t kRandomDigits = 12;

// ".NAME.saving-": what every temporary name of a save of `target` starts with.
std::string NamePrefix(const std::string& target) {
    return "." + fs::path(target).filename().string() + ".saving-";
}

// This host's name, kept to characters that are safe in a file name everywhere. It keeps a
// save on one machine from judging the files of another machine's save on a shared folder.
const std::string& HostTag() {
    static const std::string tag = [] {
        char host[256] = {};
        if (::gethostname(host, sizeof host - 1) != 0) return std::string("host");
        std::string result;
        for (const char* c = host; *c != '\0' && result.size() < kMaxHostTag; ++c) {
            const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                               (*c >= '0' && *c <= '9') || *c == '-' || *c == '_';
            result += plain ? *c : '_';
        }
        return result.empty() ? std::string("host") : result;
    }();
    return tag;
}

std::string NamedCandidate(const std::string& target, std::mt19937_64& random) {
    return SaveTemporaryName(target, ::getpid(), random());
}

// The process of a temporary name's tail ("PID-RRRRRRRRRRRR.HOST"), or 0 when the tail is
// not of this form or names another host.
pid_t OwnerOf(std::string_view tail) {
    const size_t dash = tail.find('-');
    if (dash == std::string_view::npos || dash == 0) return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(tail.data(), tail.data() + dash, pid);
    if (error != std::errc() || end != tail.data() + dash || pid <= 0) return 0;
    tail.remove_prefix(dash + 1);
    if (tail.size() < kRandomDigits + 1 || tail[kRandomDigits] != '.') return 0;
    for (size_t i = 0; i < kRandomDigits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(tail[i]))) return 0;
    return tail.substr(kRandomDigits + 1) == HostTag() ? pid : 0;
}

std::mt19937_64 Randomness() {
    std::random_device seed;
    return std::mt19937_64(seed() ^ (static_cast<uint64_t>(::getpid()) << 32));
}

}  // namespace

/*
 * Named temporary file:  .NAME.saving-PID-RRRRRRRRRRRR.HOST
 *   PID   the saving process, decimal
 *   R     12 random hexadecimal digits
 *   HOST  HostTag()
 */
std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string SaveTemporaryName(const std::string& target, int pid, uint64_t random) {
    return FolderOf(target) + "/" + NamePrefix(target) + std::to_string(pid) + "-" +
           Format("%012llx", static_cast<unsigned long long>(random & 0xFFFFFFFFFFFFull)) + "." +
           HostTag();
}

TSaveTemporary::TSaveTemporary(const std::string& target) : target_(target) {
    // An unnamed file is reopened and linked through its /proc entry; without one it is of
    // no use, and a named file is made instead.
    fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        path_ = "/proc/self/fd/" + std::to_string(fd_);
        if (::access(path_.c_str(), F_OK) == 0) return;
        ::close(fd_);
        fd_ = -1;
        path_.clear();
    }
    std::mt19937_64 random = Randomness();
    error_ = EEXIST;
    for (int attempt = 0; attempt < kNameTries && error_ == EEXIST; ++attempt) {
        const std::string name = NamedCandidate(target, random);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            path_ = name;
            error_ = 0;
            return;
        }
        error_ = errno;
    }
}

TSaveTemporary::~TSaveTemporary() {
    if (fd_ >= 0) {
        ::close(fd_);  // an unnamed file that was never linked goes with its last descriptor
    } else if (!committed_ && !path_.empty()) {
        ::unlink(path_.c_str());
    }
}

int TSaveTemporary::ReplaceTarget() {
    if (fd_ < 0) {
        if (::rename(path_.c_str(), target_.c_str()) != 0) return errno;
        committed_ = true;
        return 0;
    }
    // A link cannot replace a name, so the complete file gets a temporary name first and
    // is renamed over the target at once: only a kill between the two leaves a named file.
    std::mt19937_64 random = Randomness();
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string name = NamedCandidate(target_, random);
        if (::linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) continue;
            return errno;
        }
        if (::rename(name.c_str(), target_.c_str()) != 0) {
            const int code = errno;
            ::unlink(name.c_str());
            return code;
        }
        committed_ = true;
        return 0;
    }
    return EEXIST;
}

void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = NamePrefix(target);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const pid_t owner = OwnerOf(name.substr(prefix.size()));
        // Only a process known to be gone: one of another user answers EPERM, and is alive.
        if (owner == 0 || ::kill(owner, 0) == 0 || errno != ESRCH) continue;
        stale.emplace_back(name);
    }
    ::closedir(listing);
    for (const std::string& name : stale) {
        const std::string path = folder + "/" + name;
        struct stat status;
        if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid())
            ::unlink(path.c_str());
    }
}

}  // namespace tracklore::platform
