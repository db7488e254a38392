// Tests of reading the mount table and finding the mount of a path.
#include "platform/mounts.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/block_devices.h"

namespace tracklore::platform {
namespace {

// A desktop's mount table: system mounts, disks, media, shares, RAM disks and bind mounts.
constexpr char kDesktop[] =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "23 22 0:21 / /proc rw shared:12 - proc proc rw\n"
    "24 22 0:22 / /sys rw shared:2 - sysfs sysfs rw\n"
    "25 22 0:5 / /dev rw shared:3 - devtmpfs udev rw\n"
    "26 25 0:23 / /dev/shm rw shared:4 - tmpfs tmpfs rw\n"
    "27 22 0:24 / /run rw shared:5 - tmpfs tmpfs rw\n"
    "28 24 0:25 / /sys/fs/cgroup rw shared:9 - cgroup2 cgroup2 rw\n"
    "29 22 8:1 / /boot/efi rw shared:30 - vfat /dev/sda1 rw\n"
    "30 22 8:3 / /home rw shared:31 - ext4 /dev/sda3 rw\n"
    "31 22 0:40 / /tmp rw shared:32 - tmpfs tmpfs rw\n"
    "32 27 0:41 / /run/user/1000 rw shared:33 - tmpfs tmpfs rw\n"
    "33 32 0:42 / /run/user/1000/doc rw shared:34 - fuse.portal portal rw\n"
    "34 22 8:17 / /media/user/MUSIC\\040DISK rw shared:35 - vfat /dev/sdb1 rw\n"
    "35 22 11:0 / /media/user/CD rw shared:36 - iso9660 /dev/sr0 ro\n"
    "36 22 0:50 / /mnt/nas rw shared:37 - nfs4 server:/export rw\n"
    "37 22 0:51 / /mnt/share rw shared:38 - cifs //server/music rw\n"
    "38 30 0:52 / /home/u/remote rw shared:39 - fuse.sshfs u@host:/ rw\n"
    "39 22 0:53 / /mnt/ram rw shared:40 - tmpfs tmpfs rw\n"
    "40 27 8:33 / /run/media/u/STICK rw shared:41 - exfat /dev/sdc1 rw\n"
    "41 22 8:3 / /srv/bind rw shared:31 - ext4 /dev/sda3 rw\n"
    "42 22 8:3 /data /srv/data rw shared:31 - ext4 /dev/sda3 rw\n"
    "43 22 8:2 /x/hosts /etc/hosts rw - ext4 /dev/sda2 rw\n"
    "44 22 7:0 / /snap/core/1 ro shared:42 - squashfs /dev/loop0 ro\n"
    "45 22 0:60 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n";

MountProbe FakeProbe() {
    MountProbe probe;
    probe.IsFolder = [](const std::string& path) { return path != "/etc/hosts"; };
    probe.Device = [](const MountInfo& mount) {
        DeviceFacts facts;
        facts.IsRemovable = mount.Major == 8 && mount.Minor >= 16;  // sdb and sdc
        facts.IsCdRom = mount.Major == 11;
        return facts;
    };
    return probe;
}

std::vector<std::string> Points(const std::vector<MountDrive>& drives) {
    std::vector<std::string> points;
    for (const MountDrive& drive : drives)
        points.push_back(drive.Mount.MountPoint);
    return points;
}

MountInfo Mount(const std::string& fsType, const std::string& point = "/mnt/x") {
    MountInfo mount;
    mount.FsType = fsType;
    mount.MountPoint = point;
    mount.Root = "/";
    return mount;
}

// --- reading mountinfo --------------------------------------------------------------------

// A field as stored, and as decoded.
using Decoded = std::pair<std::string, std::string>;

class DecodeMountFieldOf : public testing::TestWithParam<Decoded> {};

TEST_P(DecodeMountFieldOf, Field) {
    const auto& [stored, decoded] = GetParam();
    EXPECT_EQ(DecodeMountField(stored), decoded) << stored;
}

INSTANTIATE_TEST_SUITE_P(DecodesOctalEscapes, DecodeMountFieldOf,
                         testing::Values(Decoded("/media/My\\040Disk", "/media/My Disk"),
                                         Decoded("a\\011b\\012c\\134d", "a\tb\nc\\d")));

INSTANTIATE_TEST_SUITE_P(LeavesIncompleteOrInvalidEscapesAlone, DecodeMountFieldOf,
                         testing::Values(Decoded("a\\04", "a\\04"), Decoded("a\\999b", "a\\999b"),
                                         Decoded("\\", "\\")));

TEST(ParseMountInfo, ReadsFieldsAroundOptionalTags) {
    const auto mounts = ParseMountInfo(
        "36 35 98:0 /mnt1 /mnt\\0402 rw,noatime master:1 shared:2 - ext3 "
        "/dev/root rw,errors=continue\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].Major, 98u);
    EXPECT_EQ(mounts[0].Minor, 0u);
    EXPECT_EQ(mounts[0].Root, "/mnt1");
    EXPECT_EQ(mounts[0].MountPoint, "/mnt 2");
    EXPECT_EQ(mounts[0].FsType, "ext3");
    EXPECT_EQ(mounts[0].Source, "/dev/root");
}

TEST(ParseMountInfo, SkipsMalformedLines) {
    const auto mounts = ParseMountInfo(
        "garbage\n"
        "1 2 8:1 / /a rw ext4 /dev/sda1 rw\n"          // no separator
        "1 2 x:1 / /a rw - ext4 /dev/sda1 rw\n"        // bad device
        "1 2 8: / /a rw - ext4 /dev/sda1 rw\n"         // bad device
        "1 2 8:1 / relative rw - ext4 /dev/sda1 rw\n"  // mount point not absolute
        "1 2 8:1 / /a rw - ext4\n"                     // too short after separator
        "1 2 8:1 / /b rw - ext4 /dev/sda1 rw");        // good, no final newline
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].MountPoint, "/b");
}

TEST(ParseMountInfo, EmptyOrMissingFileGivesOnlyTheRootDrive) {
    EXPECT_FALSE(ReadMountInfoFile("/nonexistent/proc/self/mountinfo"));
    const auto drives = ChooseDriveMounts(ParseMountInfo(""), FakeProbe());
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].Mount.MountPoint, "/");
    EXPECT_EQ(drives[0].Type, DriveType::kFixed);
}

// --- choosing drives ----------------------------------------------------------------------

TEST(ChooseDriveMounts, KeepsRealFileSystemsSortedByMountPointAfterRoot) {
    const auto drives = ChooseDriveMounts(ParseMountInfo(kDesktop), FakeProbe());
    const std::vector<std::string> expected = {
        "/",
        "/boot/efi",
        "/home",
        "/home/u/remote",
        "/media/user/CD",
        "/media/user/MUSIC DISK",
        "/mnt/nas",
        "/mnt/ram",
        "/mnt/share",
        "/run/media/u/STICK",
        "/srv/data",
    };
    EXPECT_EQ(Points(drives), expected);
}

TEST(ChooseDriveMounts, GivesEachKeptMountItsType) {
    const auto drives = ChooseDriveMounts(ParseMountInfo(kDesktop), FakeProbe());
    ASSERT_EQ(drives.size(), 11u);
    EXPECT_EQ(drives[0].Type, DriveType::kFixed);      // /
    EXPECT_EQ(drives[3].Type, DriveType::kRemote);     // sshfs
    EXPECT_EQ(drives[4].Type, DriveType::kCDRom);      // iso9660
    EXPECT_EQ(drives[5].Type, DriveType::kRemovable);  // USB stick
    EXPECT_EQ(drives[6].Type, DriveType::kRemote);     // nfs4
    EXPECT_EQ(drives[7].Type, DriveType::kRamDisk);    // tmpfs under /mnt
    EXPECT_EQ(drives[8].Type, DriveType::kRemote);     // cifs
}

TEST(ChooseDriveMounts, BindMountOfTheSameFolderAppearsOnce) {
    const auto drives =
        ChooseDriveMounts(ParseMountInfo("1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                         "2 1 8:3 / /z rw - ext4 /dev/sda3 rw\n"
                                         "3 1 8:3 / /a rw - ext4 /dev/sda3 rw\n"
                                         "4 1 8:2 / /rootagain rw - ext4 /dev/sda2 rw\n"),
                          FakeProbe());
    EXPECT_EQ(Points(drives), (std::vector<std::string>{"/", "/a"}));
}

TEST(ChooseDriveMounts, LaterMountAtTheSamePointHidesTheEarlier) {
    const auto drives =
        ChooseDriveMounts(ParseMountInfo("1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                         "2 1 8:17 / /mnt/usb rw - vfat /dev/sdb1 rw\n"
                                         "3 2 11:0 / /mnt/usb rw - iso9660 /dev/sr0 rw\n"),
                          FakeProbe());
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[1].Mount.FsType, "iso9660");
}

TEST(ChooseDriveMounts, OverlayRootIsStillDriveC) {
    const auto drives = ChooseDriveMounts(ParseMountInfo("1 0 0:40 / / rw - overlay overlay rw\n"
                                                         "2 1 0:41 / /proc rw - proc proc rw\n"),
                                          FakeProbe());
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].Mount.FsType, "overlay");
    EXPECT_EQ(drives[0].Type, DriveType::kFixed);
}

TEST(ChooseDriveMounts, RamDiskMustBeBelowAMediaFolder) {
    const auto drives =
        ChooseDriveMounts(ParseMountInfo("1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                         "2 1 0:40 / /mnt rw - tmpfs tmpfs rw\n"
                                         "3 1 0:41 / /media/ram rw - ramfs ramfs rw\n"
                                         "4 1 0:42 / /var/cache rw - tmpfs tmpfs rw\n"),
                          FakeProbe());
    EXPECT_EQ(Points(drives), (std::vector<std::string>{"/", "/media/ram"}));
    EXPECT_EQ(drives[1].Type, DriveType::kRamDisk);
}

// --- types --------------------------------------------------------------------------------

TEST(ClassifyMount, OpticalFileSystemsAndDevicesAreCdRoms) {
    const MountProbe probe = FakeProbe();
    EXPECT_EQ(ClassifyMount(Mount("iso9660"), probe), DriveType::kCDRom);
    EXPECT_EQ(ClassifyMount(Mount("udf"), probe), DriveType::kCDRom);
    MountInfo audioCdAsVfat = Mount("vfat");
    audioCdAsVfat.Major = 11;
    EXPECT_EQ(ClassifyMount(audioCdAsVfat, probe), DriveType::kCDRom);
}

TEST(ClassifyMount, NetworkFileSystemsAreRemote) {
    const MountProbe probe = FakeProbe();
    for (const char* type : {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs", "fuse.rclone"}) {
        EXPECT_EQ(ClassifyMount(Mount(type), probe), DriveType::kRemote) << type;
    }
}

TEST(ClassifyMount, LocalFuseAndPlainDisksAreFixed) {
    const MountProbe probe = FakeProbe();
    for (const char* type : {"ext4", "xfs", "btrfs", "fuse.encfs", "fuseblk", "ntfs3"}) {
        EXPECT_EQ(ClassifyMount(Mount(type), probe), DriveType::kFixed) << type;
    }
}

TEST(ClassifyMount, RemovableDeviceWinsOverFileSystem) {
    MountInfo stick = Mount("fuseblk");
    stick.Major = 8;
    stick.Minor = 17;
    EXPECT_EQ(ClassifyMount(stick, FakeProbe()), DriveType::kRemovable);
}

TEST(ClassifyMount, TmpfsAndRamfsAreRamDisks) {
    EXPECT_EQ(ClassifyMount(Mount("tmpfs", "/tmp"), FakeProbe()), DriveType::kRamDisk);
    EXPECT_EQ(ClassifyMount(Mount("ramfs"), FakeProbe()), DriveType::kRamDisk);
}

// --- holding paths ------------------------------------------------------------------------

TEST(MountHolding, FindsTheNearestMountAndTheTopmostAtOnePoint) {
    const auto mounts = ParseMountInfo(
        "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "2 1 8:3 / /mnt/a rw - ext4 /dev/sda3 rw\n"
        "3 1 8:4 / /mnt/a rw - ext4 /dev/sda4 rw\n");
    ASSERT_NE(MountHolding(mounts, "/mnt/a/x"), nullptr);
    EXPECT_EQ(MountHolding(mounts, "/mnt/a/x")->Minor, 4u);
    EXPECT_EQ(MountHolding(mounts, "/mnt/ab")->Minor, 2u);
    EXPECT_EQ(MountHolding(mounts, "/mnt/a")->Minor, 4u);
    EXPECT_EQ(MountHolding({}, "/x"), nullptr);
}

// --- block devices ------------------------------------------------------------------------

TEST(DecodeUdevName, DecodesHexEscapes) {
    for (const auto& [stored, decoded] :
         {Decoded("My\\x20Disk", "My Disk"), Decoded("A\\x2fB", "A/B")})
        EXPECT_EQ(DecodeUdevName(stored), decoded) << stored;
}

TEST(DecodeUdevName, LeavesBrokenEscapesAlone) {
    for (const std::string broken : {"a\\x2", "a\\xZZb", "a\\y20"})
        EXPECT_EQ(DecodeUdevName(broken), broken);
}

TEST(BlockDevices, FileSystemsWithoutDeviceHaveNoLabelOrFacts) {
    MountInfo share = Mount("cifs");
    share.Source = "//server/share";
    EXPECT_FALSE(BlockDeviceOf(share));
    EXPECT_EQ(ProbeVolumeLabel(share), "");
    const DeviceFacts facts = ReadDeviceFacts(share);
    EXPECT_FALSE(facts.IsCdRom);
    EXPECT_FALSE(facts.IsRemovable);
}

TEST(BlockDevices, ThisMachinesMountsCanBeProbedWithoutFailing) {
    const auto text = ReadMountInfoFile("/proc/self/mountinfo");
    if (!text) GTEST_SKIP() << "no /proc on this machine";
    const auto mounts = ParseMountInfo(*text);
    EXPECT_FALSE(mounts.empty());
    for (const MountInfo& mount : mounts) {
        ReadDeviceFacts(mount);
        EXPECT_LE(ProbeVolumeLabel(mount).size(), 255u) << mount.MountPoint;
    }
}

}  // namespace
}  // namespace tracklore::platform
