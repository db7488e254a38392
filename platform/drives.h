// Drives and volumes: drive letters mapped to mounted file systems, their types and volume
// labels, and a path split into its drive and the path below the drive's root.
//
// On POSIX "c" is "/" and the other letters go, in a stable order, to the other mounted real
// file systems. The environment variable TRACKLORE_DRIVES replaces that automatic table:
// entries separated by ";", each "x=ROOT" or "x=ROOT|LABEL" (a letter, a folder, an
// optional label).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tracklore::platform {

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
};

/// The drive table in use: TRACKLORE_DRIVES when set, else the mounted file systems.
/// Built anew on every call, so media changes are seen.
std::vector<DriveEntry> DriveTable();

/// Parses a TRACKLORE_DRIVES text; malformed entries are skipped; letters are lower-cased;
/// a later entry for the same letter replaces an earlier one.
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
std::optional<DrivePath> SplitDrivePath(const std::string& absolutePath);

}  // namespace tracklore::platform
