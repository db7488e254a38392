// The mount table kept between calls and read again only when the kernel reports a change.
#include "platform/mount_cache.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/block_devices.h"

namespace tracklore::platform {

namespace {

constexpr char kMountInfoPath[] = "/proc/self/mountinfo";

// A bound on staleness where the kernel does not report mount changes through poll(), and
// for labels changed on a mounted file system (which no mount event announces).
constexpr std::chrono::milliseconds kMaxAge{1000};

}  // namespace

TMountCache& TMountCache::Instance() {
    static TMountCache cache;
    return cache;
}

TMountCache::~TMountCache() {
    if (watchFd_ >= 0) ::close(watchFd_);
}

std::shared_ptr<const MountSnapshot> TMountCache::Snapshot() {
    std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    if (TableChanged(now)) Reload(now);
    return snapshot_;
}

std::string TMountCache::Label(const MountInfo& mount) {
    std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    if (TableChanged(now)) Reload(now);
    const LabelKey key{mount.Major, mount.Minor, mount.Source};
    auto it = labels_.find(key);
    if (it == labels_.end() || now - it->second.ProbedAt > kMaxAge) {
        it = labels_.insert_or_assign(key, CachedLabel{ProbeVolumeLabel(mount), now}).first;
    }
    return it->second.Text;
}

bool TMountCache::TableChanged(Clock::time_point now) {
    if (!watchTried_) {
        watchTried_ = true;
        watchFd_ = ::open(kMountInfoPath, O_RDONLY | O_CLOEXEC);
    }
    if (!snapshot_ || now - loadedAt_ > kMaxAge) return true;
    if (watchFd_ < 0) return false;
    // The kernel marks the open mountinfo file with POLLPRI after any mount or unmount;
    // the poll itself clears the mark.
    pollfd watch{watchFd_, POLLPRI, 0};
    return ::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0;
}

void TMountCache::Reload(Clock::time_point now) {
    auto snapshot = std::make_shared<MountSnapshot>();
    if (const auto text = ReadMountInfoFile(kMountInfoPath)) {
        snapshot->Mounts = ParseMountInfo(*text);
    }
    const MountProbe probe = SystemMountProbe();
    snapshot->Types.reserve(snapshot->Mounts.size());
    for (const MountInfo& mount : snapshot->Mounts) {
        snapshot->Types.push_back(ClassifyMount(mount, probe));
    }
    snapshot->Drives = ChooseDriveMounts(snapshot->Mounts, probe);
    snapshot_ = std::move(snapshot);
    loadedAt_ = now;
    labels_.clear();
}

}  // namespace tracklore::platform
