// The mounts listed in /proc/self/mountinfo, and the mount that holds a path.
#include "platform/mounts.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace tracklore::platform {

namespace {

// Kernel and system file systems that never hold the user's files.
constexpr std::string_view kPseudoFs[] = {
    "proc",     "sysfs",      "cgroup",    "cgroup2",     "devpts",      "devtmpfs",
    "mqueue",   "debugfs",    "tracefs",   "securityfs",  "pstore",      "bpf",
    "autofs",   "fusectl",    "configfs",  "binfmt_misc", "hugetlbfs",   "nsfs",
    "efivarfs", "rpc_pipefs", "selinuxfs", "nfsd",        "overlay",     "aufs",
    "devfs",    "usbfs",      "shiftfs",   "fuse.lxcfs",  "fuse.portal", "fuse.gvfsd-fuse",
};

// Fuse file systems that present local data rather than a network share.
constexpr std::string_view kLocalFuse[] = {
    "fuse.encfs",    "fuse.gocryptfs",    "fuse.cryfs",   "fuse.securefs", "fuse.bindfs",
    "fuse.mergerfs", "fuse.unionfs-fuse", "fuse.unionfs", "fuse.snapfuse",
};

constexpr std::string_view kNetworkFs[] = {
    "nfs", "nfs4", "cifs",      "smb3",   "smbfs", "ncpfs",
    "afs", "ceph", "glusterfs", "lustre", "davfs", "fuse.sshfs",
};

template <size_t N>
bool Contains(const std::string_view (&names)[N], std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool IsRamFs(const std::string& fsType) {
    return fsType == "tmpfs" || fsType == "ramfs";
}

// Splits at single spaces; mountinfo never has empty fields.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        if (end > start) fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool ParseDevice(std::string_view text, unsigned& major, unsigned& minor) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) return false;
    auto number = [](std::string_view digits, unsigned& out) {
        if (digits.size() > 9) return false;
        out = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            out = out * 10 + static_cast<unsigned>(c - '0');
        }
        return true;
    };
    return number(text.substr(0, colon), major) && number(text.substr(colon + 1), minor);
}

// Mount points the system keeps for itself; /run/media is where desktops mount media.
bool IsSystemPlace(const std::string& mountPoint) {
    if (RootHolds("/run/media", mountPoint)) return false;
    return RootHolds("/proc", mountPoint) || RootHolds("/sys", mountPoint) ||
           RootHolds("/dev", mountPoint) || RootHolds("/run", mountPoint);
}

bool IsUserRamDiskPlace(const std::string& mountPoint) {
    return (RootHolds("/media", mountPoint) || RootHolds("/mnt", mountPoint) ||
            RootHolds("/run/media", mountPoint)) &&
           mountPoint != "/media" && mountPoint != "/mnt" && mountPoint != "/run/media";
}

bool IsDriveCandidate(const MountInfo& mount, const MountProbe& probe) {
    if (Contains(kPseudoFs, mount.FsType)) return false;
    if (IsSystemPlace(mount.MountPoint)) return false;
    if (IsRamFs(mount.FsType)) return IsUserRamDiskPlace(mount.MountPoint);
    if (mount.FsType == "squashfs" && RootHolds("/snap", mount.MountPoint)) return false;
    // A network mount point is not looked at: a server that went away would hang the call.
    if (IsNetworkFs(mount.FsType)) return true;
    return !probe.IsFolder || probe.IsFolder(mount.MountPoint);
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<MountInfo> ParseMountInfo(std::string_view text) {
    std::vector<MountInfo> mounts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::vector<std::string_view> fields = SplitFields(text.substr(start, end - start));
        start = end + 1;
        // id parent major:minor root point options [optional...] - type source superoptions
        const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
        if (fields.size() < 6 || dash - fields.begin() < 6 || fields.end() - dash < 3) continue;
        MountInfo mount;
        if (!ParseDevice(fields[2], mount.Major, mount.Minor)) continue;
        mount.Root = DecodeMountField(fields[3]);
        mount.MountPoint = DecodeMountField(fields[4]);
        mount.FsType = DecodeMountField(dash[1]);
        mount.Source = DecodeMountField(dash[2]);
        if (mount.MountPoint.empty() || mount.MountPoint[0] != '/') continue;
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

std::optional<std::string> ReadMountInfoFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

bool IsNetworkFs(const std::string& fsType) {
    if (Contains(kNetworkFs, fsType)) return true;
    if (fsType.rfind("nfs", 0) == 0) return true;
    return fsType.rfind("fuse.", 0) == 0 && !Contains(kLocalFuse, fsType) &&
           !Contains(kPseudoFs, fsType);
}

DriveType ClassifyMount(const MountInfo& mount, const MountProbe& probe) {
    if (mount.FsType == "iso9660" || mount.FsType == "udf") return DriveType::kCDRom;
    if (IsRamFs(mount.FsType)) return DriveType::kRamDisk;
    if (IsNetworkFs(mount.FsType)) return DriveType::kRemote;
    const DeviceFacts facts = probe.Device ? probe.Device(mount) : DeviceFacts{};
    if (facts.IsCdRom) return DriveType::kCDRom;
    if (facts.IsRemovable) return DriveType::kRemovable;
    return DriveType::kFixed;
}

std::vector<MountDrive> ChooseDriveMounts(const std::vector<MountInfo>& mounts,
                                          const MountProbe& probe) {
    // The last mount at a point is the one in sight.
    std::map<std::string, const MountInfo*> visible;
    for (const MountInfo& mount : mounts)
        visible[mount.MountPoint] = &mount;

    std::vector<MountDrive> drives;
    MountDrive root;
    root.Mount.MountPoint = root.Mount.Root = "/";
    root.Mount.FsType = "rootfs";
    if (auto it = visible.find("/"); it != visible.end()) {
        root.Mount = *it->second;
        root.Type = ClassifyMount(root.Mount, probe);
    }
    drives.push_back(root);

    // A file system folder mounted at several places (bind mounts) is one drive.
    using Place = std::tuple<unsigned, unsigned, std::string>;
    std::set<Place> taken;
    if (visible.count("/") != 0)
        taken.insert({root.Mount.Major, root.Mount.Minor, root.Mount.Root});

    // std::map walks the mount points in byte order, which keeps the letters stable.
    for (const auto& [point, mount] : visible) {
        if (point == "/" || !IsDriveCandidate(*mount, probe)) continue;
        if (!taken.insert({mount->Major, mount->Minor, mount->Root}).second) continue;
        drives.push_back({*mount, ClassifyMount(*mount, probe)});
    }
    return drives;
}

const MountInfo* MountHolding(const std::vector<MountInfo>& mounts, const std::string& path) {
    const MountInfo* best = nullptr;
    for (const MountInfo& mount : mounts) {
        if (!RootHolds(mount.MountPoint, path)) continue;
        if (best == nullptr || mount.MountPoint.size() >= best->MountPoint.size()) best = &mount;
    }
    return best;
}

bool RootHolds(const std::string& root, const std::string& path) {
    if (root == "/") return !path.empty() && path[0] == '/';
    if (path.size() < root.size() || path.compare(0, root.size(), root) != 0) return false;
    return path.size() == root.size() || path[root.size()] == '/';
}

}  // namespace tracklore::platform
