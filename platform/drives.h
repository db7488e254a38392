// Drives and volumes: drive letters mapped to mounted file systems, their types and volume
// labels, and a path split into its drive and the path below the drive's root.
//
// On POSIX "c" is "/" and the other letters go, in a stable order, to the other mounted real
// file systems. The environment variable TRACKLORE_DRIVES replaces that automatic table:
// entries separated by ";", each "x=ROOT" or "x=ROOT|LABEL" (a letter, a folder, an
// optional label).
//
// The automatic table: "c" is "/"; "d" onwards go to the other mounts sorted by mount point:
// disk file systems, optical and removable media, network shares (nfs, cifs, sshfs and other
// fuse file systems) and tmpfs mounted below /media, /mnt or /run/media (RAM disks). Kernel
// and system file systems (proc, sysfs, cgroup, tmpfs on /run or /dev/shm...) get no letter,
// and a file system mounted at several places (bind mounts) gets one letter only. Letters
// run out at "z".
//
// TRACKLORE_DRIVES, when set (even to ""), is the whole table. In an entry the letter may be
// either case; blanks around the letter, the "=" and the folder are ignored; the folder is
// made absolute (against the current folder) with "." and ".." folded, symbolic links kept
// as named; the label is everything after the first "|", exactly (blanks included; "x=ROOT|"
// gives an empty label). Folders therefore cannot contain "|" or ";", labels not ";". An
// entry with a label has that label; one without gets the label of the file system that
// holds its folder, and every entry the type of that file system, unless the letter names a
// type: "x:TYPE=ROOT|LABEL", TYPE one of removable, fixed, network, cdrom, ramdisk (any case;
// an unknown one makes the entry malformed), so a test can say "this folder is a CD-ROM". An
// entry whose folder does not exist is a drive without a medium, with the label "":
// removable, or the type it names.
//
// Labels come from the file system on the block device. Network shares, tmpfs and other file
// systems without a block device have the label "". A label is at most kMaxVolumeLabelBytes
// bytes (longer ones are cut at a character boundary), as the system's volume query leaves
// room for 64 characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tracklore::platform {

/// The longest label the drive functions report, in bytes.
inline constexpr size_t kMaxVolumeLabelBytes = 63;

/// What a drive is, numbered as the system's drive types are.
enum class DriveType : int {
    kUnknown = 0,
    kNoRootDir = 1,  ///< no such drive
    kRemovable = 2,
    kFixed = 3,
    kRemote = 4,
    kCDRom = 5,
    kRamDisk = 6,
};

struct DriveEntry {
    char Letter = 'c';  ///< lower case, 'a' to 'z'
    std::string Root;   ///< absolute folder without a trailing "/" ("/" itself for the root)
    std::optional<std::string> Label;  ///< a label given by the table, else the device's
    DriveType Type = DriveType::kFixed;
    bool TypeGiven = false;  ///< the table named the type ("x:cdrom=..."): Type is not looked up
};

/// The drive table in use: TRACKLORE_DRIVES when set, else the mounted file systems.
/// Built anew on every call, so media changes are seen.
std::vector<DriveEntry> DriveTable();

/// Parses a TRACKLORE_DRIVES text; malformed entries (no "=", not a single letter before
/// it, an unknown type, no folder) are skipped; letters are lower-cased; a later entry for the same
/// letter replaces an earlier one. Sorted by letter. Types and missing labels are not looked up
/// here (Type stays kFixed unless named, Label empty unless given): DriveTable does that.
std::vector<DriveEntry> ParseDriveTable(const std::string& text);

/// The entry for `letter` (either case), or nothing.
std::optional<DriveEntry> FindDrive(char letter);

/// The label of the volume in the drive `letter`; empty when there is no such drive, no
/// medium or no label.
std::string VolumeLabelOf(char letter);

/// The type of the drive `letter`; kNoRootDir when there is no such drive.
DriveType GetDriveType(char letter);

/// An absolute path split at the longest drive root that holds it.
struct DrivePath {
    char Letter = 0;
    std::string Filename;  ///< the rest, beginning with "/" ("/" for the root itself)
};

/// Splits `absolutePath` (already absolute and normalised); nothing when no drive holds it.
/// A root holds the path when it is the root itself or a whole-folder prefix of it ("/media/cd"
/// holds "/media/cd/a.mp3", not "/media/cdrom/a.mp3"); of equal roots the lowest letter wins.
std::optional<DrivePath> SplitDrivePath(const std::string& absolutePath);

/// The same for a given table.
std::optional<DrivePath> SplitDrivePath(const std::string& absolutePath,
                                        const std::vector<DriveEntry>& table);

}  // namespace tracklore::platform
