// Drive letters mapped to mounted file systems: the drive table, types and volume labels.
#include "platform/drives.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <sys/sysmacros.h>
#include <utility>

#include "core/text_encoding.h"
#include "core/text_scan.h"
#include "platform/file_info.h"
#include "platform/mount_cache.h"

namespace tracklore::platform {

namespace {

constexpr char kDrivesVariable[] = "TRACKLORE_DRIVES";
constexpr char kFirstAutomaticLetter = 'c';

// A drive of the table in use, with the file system that holds its root.
struct TableDrive {
    DriveEntry Entry;
    const MountInfo* Mount = nullptr;  // points into the snapshot kept alongside
    bool HasMedium = true;             // false when a named root folder is missing
};

struct CurrentTable {
    std::shared_ptr<const MountSnapshot> Snapshot;
    std::vector<TableDrive> Drives;
};

// Blanks around the items of a drive list.
constexpr std::string_view kItemBlanks = " \t\r\n";

std::optional<char> DriveLetter(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter;
    if (letter >= 'A' && letter <= 'Z') return static_cast<char>(letter - 'A' + 'a');
    return std::nullopt;
}

// Absolute, "." and ".." folded, no empty or trailing parts; links are kept as named.
std::optional<std::string> NormaliseRoot(std::string_view folder) {
    if (folder.empty()) return std::nullopt;
    std::string current;
    if (folder.front() != '/') {
        current = CurrentFolder();
        if (current.empty()) return std::nullopt;
    }
    return AbsolutePath(folder, current);
}

// The mount of the file system that holds `root`: the one whose device the folder is on,
// preferring the nearest mount point when a file system is mounted more than once.
const MountInfo* MountOfFolder(const MountSnapshot& snapshot, const std::string& root,
                               uint64_t device) {
    const MountInfo* nearest = MountHolding(snapshot.Mounts, root);
    const auto sameDevice = [device](const MountInfo& m) {
        return makedev(m.Major, m.Minor) == device;
    };
    if (nearest != nullptr && sameDevice(*nearest)) return nearest;
    const auto it = std::find_if(snapshot.Mounts.begin(), snapshot.Mounts.end(), sameDevice);
    return it != snapshot.Mounts.end() ? &*it : nearest;
}

DriveType TypeOf(const MountSnapshot& snapshot, const MountInfo* mount) {
    if (mount == nullptr) return DriveType::kFixed;
    return snapshot.Types[static_cast<size_t>(mount - snapshot.Mounts.data())];
}

TableDrive ResolveNamed(const MountSnapshot& snapshot, const DriveEntry& entry) {
    TableDrive drive{entry};
    const std::optional<FileStatus> status = GetFileStatus(entry.Root);
    if (!status || !status->IsFolder) {
        drive.HasMedium = false;
        if (!entry.TypeGiven) drive.Entry.Type = DriveType::kRemovable;
        return drive;
    }
    drive.Mount = MountOfFolder(snapshot, entry.Root, status->Device);
    if (!entry.TypeGiven) drive.Entry.Type = TypeOf(snapshot, drive.Mount);
    return drive;
}

// The type named after the letter of a table entry ("d:cdrom"), in any case.
std::optional<DriveType> NamedType(std::string_view name) {
    static constexpr std::pair<std::string_view, DriveType> kTypes[] = {
        {"removable", DriveType::kRemovable}, {"fixed", DriveType::kFixed},
        {"network", DriveType::kRemote},      {"cdrom", DriveType::kCDRom},
        {"ramdisk", DriveType::kRamDisk},
    };
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const auto& [text, type] : kTypes)
        if (folded == text) return type;
    return std::nullopt;
}

// The table, or only the drive `wanted` of it, without labels looked up: those cost a
// probe and are fetched per drive.
CurrentTable LoadTable(std::optional<char> wanted = std::nullopt) {
    CurrentTable table;
    table.Snapshot = TMountCache::Instance().Snapshot();
    if (const char* text = std::getenv(kDrivesVariable)) {
        for (const DriveEntry& entry : ParseDriveTable(text)) {
            if (wanted && entry.Letter != *wanted) continue;
            table.Drives.push_back(ResolveNamed(*table.Snapshot, entry));
        }
        return table;
    }
    char letter = kFirstAutomaticLetter;
    for (const MountDrive& mount : table.Snapshot->Drives) {
        if (letter > 'z') break;
        const char thisLetter = letter++;
        if (wanted && thisLetter != *wanted) continue;
        TableDrive drive;
        drive.Entry.Letter = thisLetter;
        drive.Entry.Root = mount.Mount.MountPoint;
        drive.Entry.Type = mount.Type;
        drive.Mount = &mount.Mount;
        table.Drives.push_back(std::move(drive));
    }
    return table;
}

std::string LabelOf(const TableDrive& drive) {
    if (!drive.HasMedium) return {};
    std::string label;
    if (drive.Entry.Label) {
        label = *drive.Entry.Label;
    } else if (drive.Mount != nullptr) {
        label = TMountCache::Instance().Label(*drive.Mount);
    }
    return std::string(CutUtf8(label, kMaxVolumeLabelBytes));
}

DriveEntry WithLabel(const TableDrive& drive) {
    DriveEntry entry = drive.Entry;
    entry.Label = LabelOf(drive);
    return entry;
}

}  // namespace

std::vector<DriveEntry> DriveTable() {
    const CurrentTable table = LoadTable();
    std::vector<DriveEntry> entries;
    entries.reserve(table.Drives.size());
    for (const TableDrive& drive : table.Drives)
        entries.push_back(WithLabel(drive));
    return entries;
}

std::vector<DriveEntry> ParseDriveTable(const std::string& text) {
    std::vector<DriveEntry> entries;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view item = std::string_view(text).substr(start, end - start);
        start = end + 1;

        const size_t equals = item.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view letterText = Trim(item.substr(0, equals), kItemBlanks);
        std::optional<DriveType> type;
        if (const size_t colon = letterText.find(':'); colon != std::string_view::npos) {
            type = NamedType(Trim(letterText.substr(colon + 1), kItemBlanks));
            if (!type) continue;
            letterText = Trim(letterText.substr(0, colon), kItemBlanks);
        }
        if (letterText.size() != 1) continue;
        const std::optional<char> letter = DriveLetter(letterText[0]);
        if (!letter) continue;
        std::string_view rest = item.substr(equals + 1);
        std::optional<std::string> label;
        if (const size_t bar = rest.find('|'); bar != std::string_view::npos) {
            label = std::string(rest.substr(bar + 1));
            rest = rest.substr(0, bar);
        }
        std::optional<std::string> root = NormaliseRoot(Trim(rest, kItemBlanks));
        if (!root) continue;

        DriveEntry entry;
        entry.Letter = *letter;
        entry.Root = std::move(*root);
        entry.Label = std::move(label);
        if (type) {
            entry.Type = *type;
            entry.TypeGiven = true;
        }
        std::erase_if(entries, [&](const DriveEntry& e) { return e.Letter == entry.Letter; });
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.Letter < b.Letter; });
    return entries;
}

std::optional<DriveEntry> FindDrive(char letter) {
    const std::optional<char> wanted = DriveLetter(letter);
    if (!wanted) return std::nullopt;
    const CurrentTable table = LoadTable(wanted);
    if (table.Drives.empty()) return std::nullopt;
    return WithLabel(table.Drives.front());
}

std::string VolumeLabelOf(char letter) {
    const std::optional<DriveEntry> drive = FindDrive(letter);
    return drive ? drive->Label.value_or(std::string()) : std::string();
}

DriveType GetDriveType(char letter) {
    const std::optional<char> wanted = DriveLetter(letter);
    if (!wanted) return DriveType::kNoRootDir;
    const CurrentTable table = LoadTable(wanted);
    return table.Drives.empty() ? DriveType::kNoRootDir : table.Drives.front().Entry.Type;
}

std::optional<DrivePath> SplitDrivePath(const std::string& absolutePath,
                                        const std::vector<DriveEntry>& table) {
    if (absolutePath.empty() || absolutePath.front() != '/') return std::nullopt;
    const DriveEntry* best = nullptr;
    for (const DriveEntry& entry : table) {
        if (!RootHolds(entry.Root, absolutePath)) continue;
        if (best == nullptr || entry.Root.size() > best->Root.size() ||
            (entry.Root.size() == best->Root.size() && entry.Letter < best->Letter)) {
            best = &entry;
        }
    }
    if (best == nullptr) return std::nullopt;
    DrivePath split;
    split.Letter = best->Letter;
    split.Filename = best->Root == "/" ? absolutePath : absolutePath.substr(best->Root.size());
    if (split.Filename.empty()) split.Filename.assign(1, '/');
    return split;
}

std::optional<DrivePath> SplitDrivePath(const std::string& absolutePath) {
    // Only the roots matter here; a named table needs no look at the disks.
    if (const char* text = std::getenv(kDrivesVariable)) {
        return SplitDrivePath(absolutePath, ParseDriveTable(text));
    }
    const CurrentTable table = LoadTable();
    std::vector<DriveEntry> entries;
    entries.reserve(table.Drives.size());
    for (const TableDrive& drive : table.Drives)
        entries.push_back(drive.Entry);
    return SplitDrivePath(absolutePath, entries);
}

}  // namespace tracklore::platform
