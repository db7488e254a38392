// The process's view of the mount table, kept between calls: read again only when the
// kernel reports a change (or after a second at most), with volume labels remembered per
// file system, so asking for a drive's label once per scanned file stays cheap.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "platform/mounts.h"

namespace tracklore::platform {

/// One reading of the mount table.
struct MountSnapshot {
    std::vector<MountInfo> Mounts;
    std::vector<DriveType> Types;    ///< the type of each of Mounts
    std::vector<MountDrive> Drives;  ///< the automatic drives, "/" first
};

class TMountCache {
public:
    /// The cache of the process.
    static TMountCache& Instance();

    TMountCache(const TMountCache&) = delete;
    TMountCache& operator=(const TMountCache&) = delete;
    ~TMountCache();

    /// The current mount table.
    std::shared_ptr<const MountSnapshot> Snapshot();

    /// The volume label of the file system of `mount` ("" for none).
    std::string Label(const MountInfo& mount);

private:
    using Clock = std::chrono::steady_clock;
    using LabelKey = std::tuple<unsigned, unsigned, std::string>;
    struct CachedLabel {
        std::string Text;
        Clock::time_point ProbedAt;
    };

    TMountCache() = default;
    bool TableChanged(Clock::time_point now);  // mutex_ held
    void Reload(Clock::time_point now);        // mutex_ held

    std::mutex mutex_;
    int watchFd_ = -1;
    bool watchTried_ = false;
    std::shared_ptr<const MountSnapshot> snapshot_;
    Clock::time_point loadedAt_{};
    std::map<LabelKey, CachedLabel> labels_;
};

}  // namespace tracklore::platform
