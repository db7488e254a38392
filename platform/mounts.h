// The mounted file systems as the kernel lists them in /proc/self/mountinfo, and the choice
// of those that become drives: real disks, optical and removable media, network shares and
// RAM disks that users mounted, each with its drive type.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drives.h"

namespace tracklore::platform {

/// One line of mountinfo.
struct MountInfo {
    unsigned Major = 0;  ///< the file system's device number (st_dev of its files)
    unsigned Minor = 0;
    std::string Root;        ///< the folder of the file system mounted here ("/" for all of it)
    std::string MountPoint;  ///< where it is mounted, escapes decoded
    std::string FsType;      ///< "ext4", "tmpfs", "fuse.sshfs"...
    std::string Source;      ///< "/dev/sda1", "//server/share", "tmpfs"...
};

/// What the block layer says about the device behind a mount.
struct DeviceFacts {
    bool IsCdRom = false;      ///< an optical drive (sr major or SCSI type 5)
    bool IsRemovable = false;  ///< removable medium, or attached over USB
};

/// The hardware questions the drive choice asks; replaced by fakes in tests.
struct MountProbe {
    /// Whether `path` is a folder (file bind mounts such as /etc/hosts are not drives).
    std::function<bool(const std::string& path)> IsFolder;
    /// The facts of the block device behind `mount`.
    std::function<DeviceFacts(const MountInfo& mount)> Device;
};

/// Decodes the octal escapes the kernel writes into mountinfo fields ("\040" is a space).
std::string DecodeMountField(std::string_view field);

/// The text of a mountinfo file; nothing when it cannot be read (no /proc).
std::optional<std::string> ReadMountInfoFile(const std::string& path);

/// Parses mountinfo text; lines that do not have the expected shape are skipped.
std::vector<MountInfo> ParseMountInfo(std::string_view text);

/// Whether the file system talks over a network (nfs, cifs, smb3, sshfs and other fuse
/// file systems without a block device).
bool IsNetworkFs(const std::string& fsType);

/// The drive type of a mounted file system: optical, removable, network, RAM disk or fixed.
DriveType ClassifyMount(const MountInfo& mount, const MountProbe& probe);

/// A mount chosen as a drive.
struct MountDrive {
    MountInfo Mount;
    DriveType Type = DriveType::kFixed;
};

/// The mounts that become drives, the root file system first, the others sorted by mount
/// point. Pseudo file systems and system tmpfs mounts are left out; a file system mounted
/// at several places (same device and folder) appears once, at its first mount point in
/// that order; a mount hidden by a later mount at the same point gives way to it. "/" is
/// always first, even when mountinfo does not list it.
std::vector<MountDrive> ChooseDriveMounts(const std::vector<MountInfo>& mounts,
                                          const MountProbe& probe);

/// The mount holding `path`: the last mount whose point is the longest whole-folder
/// prefix of the (absolute, normalised) path; nullptr when none does.
const MountInfo* MountHolding(const std::vector<MountInfo>& mounts, const std::string& path);

/// Whether `root` holds `path` as a whole folder prefix ("/a" holds "/a" and "/a/b", not
/// "/ab"). Both are absolute and normalised.
bool RootHolds(const std::string& root, const std::string& path);

}  // namespace tracklore::platform
