// Updating a folder tree's records: unchanged files kept, changed ones scanned again.
#include "media/update.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "media/mp3_folder_walk.h"
#include "platform/date_time.h"
#include "platform/drives.h"
#include "platform/file.h"
#include "platform/file_info.h"
#include "platform/file_name_text.h"
#include "platform/locale.h"

namespace tracklore {

namespace {

// Volume label and file name of a path, as a scan records them. The drive table and the
// labels are looked up once per update, not per file: an unchanged file costs only the
// directory walk and one status call.
class TLocator {
public:
    TLocator() : table_(platform::DriveTable()) {}

    std::pair<std::string, std::string> Locate(const std::string& path) {
        const std::string full = platform::AbsolutePath(path, platform::CurrentFolder());
        const auto split = platform::SplitDrivePath(full, table_);
        // Names are compared as the scan records them: 8-bit names as Windows-1252 text.
        if (!split) return {std::string(), platform::FileNameText(full)};
        auto label = labels_.find(split->Letter);
        if (label == labels_.end())
            label = labels_.emplace(split->Letter, platform::VolumeLabelOf(split->Letter)).first;
        return {label->second, platform::FileNameText(split->Filename)};
    }

private:
    std::vector<platform::DriveEntry> table_;
    std::map<char, std::string> labels_;
};

// Records keyed by volume label and file name as the catalogue compares them.
using TNameKey = std::pair<std::string, std::string>;

TNameKey KeyOf(std::string_view volume, std::string_view filename) {
    return {locale::SortKeyIgnoreCase(volume), locale::SortKeyIgnoreCase(filename)};
}

// A folder as records name it: volume label, and the file name without a closing '/'.
struct TPlace {
    std::string Volume;
    std::string Name;
};

// Whether the record's file lies in the folder `place` or below it.
bool IsBelow(const TrackRecord& record, const TPlace& place) {
    if (locale::CompareIgnoreCase(record.Volume, place.Volume) != 0) return false;
    const std::string_view file = record.Filename.view();
    const std::string& name = place.Name;
    if (name == "/") return !file.empty() && file.front() == '/';
    return file.size() > name.size() && file[name.size()] == '/' &&
           locale::CompareIgnoreCase(file.substr(0, name.size()), name) == 0;
}

class TUpdateWalk {
public:
    TUpdateWalk(TTracklore& catalogue, TUpdateReport& report, const TScanOptions& options)
        : catalogue_(catalogue), report_(report), options_(options) {
        for (int slot = 0; slot < catalogue_.SlotEnd(); ++slot) {
            if (const TrackRecord* record = catalogue_.SlotRecord(slot)) {
                // The first in slot order wins when names repeat.
                byName_.emplace(KeyOf(record->Volume, record->Filename), record->ID);
            }
        }
    }

    // Updates the record of the file at `path`, or adds one.
    void UpdateFile(const std::string& path) {
        const auto [volume, name] = locator_.Locate(path);
        const TNameKey key = KeyOf(volume, name);
        seen_.insert(key);
        const auto match = byName_.find(key);
        if (match == byName_.end()) {
            if (auto record = ScanRecordListingErrors(path, report_.Failed, options_)) {
                catalogue_.Insert(*record);
                report_.Added.push_back(path);
            }
            return;
        }
        const int32_t id = match->second;
        TrackRecord stored;
        catalogue_.GetByID(id, stored);
        const auto status = platform::GetFileStatus(path);
        if (status && stored.FileSize == static_cast<uint32_t>(status->Size) &&
            stored.FileDate == platform::FileDateTime(status->LastWrite)) {
            ++report_.Unchanged;
            return;
        }
        if (auto record = ScanRecordListingErrors(path, report_.Failed, options_)) {
            record->ID = id;
            catalogue_.Update(*record);
            report_.Changed.push_back(path);
        }
    }

    // Lists the records under `folder` whose file the walk did not meet. Records under a
    // subfolder the walk could not list are not missing: their files were never looked for.
    void ListMissing(const std::string& folder, const std::vector<std::string>& unread) {
        const TPlace place = PlaceOf(folder);
        std::vector<TPlace> unknown;
        for (const std::string& path : unread)
            unknown.push_back(PlaceOf(path));
        for (int slot = 0; slot < catalogue_.SlotEnd(); ++slot) {
            const TrackRecord* record = catalogue_.SlotRecord(slot);
            if (record == nullptr || !IsBelow(*record, place)) continue;
            // A second record of a file that is there (an earlier scan twice) is not missing.
            if (seen_.count(KeyOf(record->Volume, record->Filename)) != 0) continue;
            const auto inUnread = [&](const TPlace& other) { return IsBelow(*record, other); };
            if (std::none_of(unknown.begin(), unknown.end(), inUnread))
                report_.Missing.push_back(*record);
        }
    }

private:
    TPlace PlaceOf(const std::string& folder) {
        auto [volume, name] = locator_.Locate(folder);
        while (name.size() > 1 && name.back() == '/')
            name.pop_back();
        return {std::move(volume), std::move(name)};
    }

    TTracklore& catalogue_;
    TUpdateReport& report_;
    const TScanOptions& options_;
    TLocator locator_;
    std::map<TNameKey, int32_t> byName_;
    std::set<TNameKey> seen_;  // the files the walk met
};

}  // namespace

void UpdateFolder(TTracklore& catalogue, const std::string& folder, TUpdateReport& report,
                  const TScanOptions& options) {
    TUpdateWalk walk(catalogue, report, options);
    std::vector<std::string> unread;
    const bool finished = WalkMp3Files(
        catalogue, folder, options, report.Failed,
        [&walk](const std::string& path) { walk.UpdateFile(path); }, &unread);
    if (!finished) {
        report.Cancelled = true;
        return;
    }
    walk.ListMissing(folder, unread);
}

void RemoveMissing(TTracklore& catalogue, TUpdateReport& report,
                   const std::function<void(const TrackRecord&)>& beforeDelete) {
    for (const TrackRecord& record : report.Missing) {
        if (beforeDelete) beforeDelete(record);
        catalogue.Delete(record);
        ++report.Removed;
    }
}

std::string RecordPath(const TrackRecord& record) {
    if (record.Volume.view().empty()) return record.Filename.str();
    return "[" + record.Volume.str() + "] " + record.Filename.str();
}

std::vector<std::string> MissingPaths(const TUpdateReport& report) {
    std::vector<std::string> paths;
    for (const auto& record : report.Missing)
        paths.push_back(RecordPath(record));
    return paths;
}

}  // namespace tracklore
