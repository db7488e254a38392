// The block devices behind mounted file systems: what sysfs says about them (optical,
// removable, USB) and the volume label of the file system they hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "platform/mounts.h"

namespace tracklore::platform {

/// The block device holding `mount`: its device number when it names one, else the one of
/// its source ("/dev/sdb1"); nothing for file systems without a block device.
std::optional<dev_t> BlockDeviceOf(const MountInfo& mount);

/// The sysfs facts of the device behind `mount` (all false when it has none).
DeviceFacts ReadDeviceFacts(const MountInfo& mount);

/// The label of the file system on the block device behind `mount`: probed on the device,
/// or, when the device cannot be opened, found among the /dev/disk/by-label links. Empty
/// without a label or a block device. Not valid UTF-8 is read as Windows-1252.
std::string ProbeVolumeLabel(const MountInfo& mount);

/// Decodes the "\xHH" escapes udev writes into link names ("My\x20Disk" is "My Disk").
std::string DecodeUdevName(std::string_view name);

/// The real prober for the drive choice.
MountProbe SystemMountProbe();

}  // namespace tracklore::platform
