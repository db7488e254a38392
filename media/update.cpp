// Updating a folder tree's records: unchanged files kept, changed ones scanned again.
#include "media/update.h"

#include <map>
#include <set>
#include <utility>

#include "core/format.h"
#include "core/messages.h"
#include "media/id3v2.h"
#include "media/mpeg_audio.h"
#include "platform/date_time.h"
#include "platform/drives.h"
#include "platform/file.h"
#include "platform/file_info.h"
#include "platform/file_name_text.h"
#include "platform/locale.h"
#include "streams/stream_errors.h"

namespace tracklore {

namespace {

constexpr const char* kErrorSeparator = "  -  ";

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

    bool Enter(const std::string& folder) {
        const auto status = platform::GetFileStatus(folder);
        if (!status) return true;
        return visited_.insert({status->Device, status->Inode}).second;
    }

    bool Walk(const std::string& folder, const std::vector<platform::FolderEntry>& entries) {
        std::string prefix = folder;
        if (!prefix.empty() && prefix.back() != '/') prefix += '/';
        for (const auto& entry : entries) {
            const std::string path = prefix + entry.Name;
            if (!entry.IsFolder && !entry.IsDevice && HasMp3Extension(entry.Name)) {
                catalogue_.RaiseScan(path);
                if (options_.Cancel != nullptr && *options_.Cancel) return false;
                UpdateFile(path);
            }
            if (entry.IsFolder && Enter(path)) {
                if (const auto inner = platform::ListFolder(path)) {
                    if (!Walk(path, *inner)) return false;
                }
            }
        }
        return true;
    }

    // Lists the records under `folder` whose file the walk did not meet.
    void ListMissing(const std::string& folder) {
        auto [volume, name] = locator_.Locate(folder);
        while (name.size() > 1 && name.back() == '/')
            name.pop_back();
        for (int slot = 0; slot < catalogue_.SlotEnd(); ++slot) {
            const TrackRecord* record = catalogue_.SlotRecord(slot);
            // A second record of a file that is there (an earlier scan twice) is not missing.
            if (record == nullptr || seen_.count(KeyOf(record->Volume, record->Filename)) != 0)
                continue;
            if (locale::CompareIgnoreCase(record->Volume, volume) != 0) continue;
            const std::string_view file = record->Filename.view();
            const bool below =
                name == "/" ? !file.empty() && file.front() == '/'
                            : file.size() > name.size() && file[name.size()] == '/' &&
                                  locale::CompareIgnoreCase(file.substr(0, name.size()), name) == 0;
            if (below) report_.Missing.push_back(*record);
        }
    }

private:
    void UpdateFile(const std::string& path) {
        const auto [volume, name] = locator_.Locate(path);
        const TNameKey key = KeyOf(volume, name);
        seen_.insert(key);
        const auto match = byName_.find(key);
        try {
            if (match == byName_.end()) {
                TrackRecord record = ScanRecord(path, options_);
                catalogue_.Insert(record);
                report_.Added.push_back(path);
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
            TrackRecord record = ScanRecord(path, options_);
            record.ID = id;
            catalogue_.Update(record);
            report_.Changed.push_back(path);
        } catch (const EMPEGError& error) {
            report_.Failed.push_back(path + kErrorSeparator + error.what());
        } catch (const Eid3v2& error) {
            report_.Failed.push_back(path + kErrorSeparator + error.what());
        } catch (const EInOutError& error) {
            // A file cut short or unreadable is one failed file, not the end of the update.
            report_.Failed.push_back(path + kErrorSeparator + error.what());
        }
    }

    TTracklore& catalogue_;
    TUpdateReport& report_;
    const TScanOptions& options_;
    TLocator locator_;
    std::map<TNameKey, int32_t> byName_;
    std::set<TNameKey> seen_;  // the files the walk met
    std::set<std::pair<uint64_t, uint64_t>> visited_;
};

}  // namespace

void UpdateFolder(TTracklore& catalogue, const std::string& folder, TUpdateReport& report,
                  const TScanOptions& options) {
    TUpdateWalk walk(catalogue, report, options);
    walk.Enter(folder);
    const auto entries = platform::ListFolder(folder);
    if (!entries) {
        throw EInOutError(Format(msg::ErrorOpening, folder.c_str(),
                                 platform::SystemErrorText(platform::LastFileError()).c_str()));
    }
    if (!walk.Walk(folder, *entries)) {
        report.Cancelled = true;
        return;
    }
    walk.ListMissing(folder);
}

void RemoveMissing(TTracklore& catalogue, TUpdateReport& report) {
    for (const TrackRecord& record : report.Missing) {
        catalogue.Delete(record);
        ++report.Removed;
    }
}

std::string RecordPath(const TrackRecord& record) {
    if (record.Volume.view().empty()) return record.Filename.str();
    return "[" + record.Volume.str() + "] " + record.Filename.str();
}

}  // namespace tracklore
