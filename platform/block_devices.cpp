// The block devices behind mounts: what sysfs and blkid say about them, and their labels.
#include "platform/block_devices.h"

#include <blkid.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "core/text_encoding.h"
#include "core/text_scan.h"
#include "platform/file_info.h"

namespace tracklore::platform {

namespace {

constexpr unsigned kScsiCdRomMajor = 11;
constexpr char kScsiTypeCdRom[] = "5";

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string RealPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// The device node for `device`: the mount's source when it is that node, else what blkid
// finds under /dev.
std::string DeviceNode(const MountInfo& mount, dev_t device) {
    struct stat info {};
    if (mount.Source.rfind("/dev/", 0) == 0 && ::stat(mount.Source.c_str(), &info) == 0 &&
        S_ISBLK(info.st_mode) && info.st_rdev == device) {
        return mount.Source;
    }
    char* name = blkid_devno_to_devname(device);
    if (name == nullptr) return {};
    std::string node(name);
    std::free(name);
    return node;
}

// Probes the superblock for its label; nothing when the device cannot be opened or probed.
std::optional<std::string> ProbeDevice(const std::string& node) {
    blkid_probe probe = blkid_new_probe_from_filename(node.c_str());
    if (probe == nullptr) return std::nullopt;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL);
    std::optional<std::string> label;
    if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        size_t length = 0;
        label = blkid_probe_lookup_value(probe, "LABEL", &value, &length) == 0 && value
                    ? std::string(value, ::strnlen(value, length))
                    : std::string();
    }
    blkid_free_probe(probe);
    return label;
}

std::string LabelFromLinks(dev_t device) {
    const std::string folder = "/dev/disk/by-label";
    const auto entries = ListFolder(folder);
    if (!entries) return {};
    for (const FolderEntry& entry : *entries) {
        struct stat info {};
        if (::stat((folder + "/" + entry.Name).c_str(), &info) == 0 && S_ISBLK(info.st_mode) &&
            info.st_rdev == device) {
            return DecodeUdevName(entry.Name);
        }
    }
    return {};
}

}  // namespace

std::optional<dev_t> BlockDeviceOf(const MountInfo& mount) {
    if (mount.Major != 0) return makedev(mount.Major, mount.Minor);
    // btrfs and some others report an anonymous device number; the source names the disk.
    struct stat info {};
    if (mount.Source.rfind("/dev/", 0) == 0 && ::stat(mount.Source.c_str(), &info) == 0 &&
        S_ISBLK(info.st_mode)) {
        return info.st_rdev;
    }
    return std::nullopt;
}

DeviceFacts ReadDeviceFacts(const MountInfo& mount) {
    DeviceFacts facts;
    const std::optional<dev_t> device = BlockDeviceOf(mount);
    if (!device) return facts;
    if (major(*device) == kScsiCdRomMajor) facts.IsCdRom = true;
    // /sys/dev/block/M:m leads to .../block/<disk>[/<partition>].
    std::string path = RealPath("/sys/dev/block/" + std::to_string(major(*device)) + ":" +
                                std::to_string(minor(*device)));
    if (path.empty()) return facts;
    if (path.find("/usb") != std::string::npos) facts.IsRemovable = true;
    if (Exists(path + "/partition")) path = path.substr(0, path.rfind('/'));
    if (FirstLine(path + "/removable") == "1") facts.IsRemovable = true;
    if (FirstLine(path + "/device/type") == kScsiTypeCdRom) facts.IsCdRom = true;
    return facts;
}

std::string ProbeVolumeLabel(const MountInfo& mount) {
    const std::optional<dev_t> device = BlockDeviceOf(mount);
    if (!device) return {};
    const std::string node = DeviceNode(mount, *device);
    std::optional<std::string> label = node.empty() ? std::nullopt : ProbeDevice(node);
    if (!label) label = LabelFromLinks(*device);
    return TextFromFile(*label);
}

std::string DecodeUdevName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int high = HexDigit(name[i + 2]), low = HexDigit(name[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

MountProbe SystemMountProbe() {
    MountProbe probe;
    probe.IsFolder = [](const std::string& path) {
        const auto status = GetFileStatus(path);
        return status && status->IsFolder;
    };
    probe.Device = ReadDeviceFacts;
    return probe;
}

}  // namespace tracklore::platform
