// The volumes model: one row per volume label with its count, size and play time.
#include "ui/volumes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <unordered_map>

#include "core/catalogue.h"
#include "core/format.h"
#include "platform/locale.h"
#include "ui/statistics.h"

namespace tracklore::ui {

const std::array<const char*, kVolumeColumnCount> kVolumeColumnCaptions = {
    "Volume", "Records", "Size", "Play time", "Newest file", "Online", "Mounted at",
};

std::vector<platform::DriveEntry> DrivesWithMedium(const std::vector<platform::DriveEntry>& table) {
    std::vector<platform::DriveEntry> drives;
    for (const platform::DriveEntry& entry : table) {
        std::error_code error;
        if (std::filesystem::is_directory(entry.Root, error)) drives.push_back(entry);
    }
    return drives;
}

const platform::DriveEntry* DriveCarrying(const std::vector<platform::DriveEntry>& drives,
                                          std::string_view volume) {
    const platform::DriveEntry* found = nullptr;
    for (const platform::DriveEntry& drive : drives) {
        if (drive.Label.value_or(std::string()) != volume) continue;
        if (found == nullptr || drive.Letter < found->Letter) found = &drive;
    }
    return found;
}

std::vector<TVolumeRow> BuildVolumeRows(const TTracklore& set,
                                        const std::vector<platform::DriveEntry>& drives) {
    // Views into the records' labels: the set holds them for the whole build.
    std::unordered_map<std::string_view, size_t> rowOf;
    std::vector<std::string_view> labels;
    std::vector<TVolumeRow> rows;
    for (int slot = 0; slot < set.SlotEnd(); ++slot) {
        const TrackRecord* record = set.SlotRecord(slot);
        if (record == nullptr) continue;
        const auto [at, added] = rowOf.try_emplace(record->Volume.view(), rows.size());
        if (added) {
            rows.emplace_back();
            labels.push_back(record->Volume.view());
        }
        TVolumeRow& row = rows[at->second];
        ++row.Records;
        row.TotalSize += record->FileSize;
        row.TotalPlayTime += record->PlayLength;
        if (record->FileDate > row.NewestFileDate) row.NewestFileDate = record->FileDate;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].Volume = std::string(labels[i]);
        if (const platform::DriveEntry* drive = DriveCarrying(drives, rows[i].Volume)) {
            rows[i].Online = true;
            rows[i].Drive = drive->Letter;
            rows[i].MountPoint = drive->Root;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const TVolumeRow& a, const TVolumeRow& b) {
        const int order = locale::CompareIgnoreCase(a.Volume, b.Volume);
        return order != 0 ? order < 0 : a.Volume < b.Volume;
    });
    return rows;
}

std::string FileDateText(double fileDate) {
    using namespace std::chrono;
    // Years 1 to 9999 lie between these day numbers.
    if (!(fileDate != 0 && fileDate >= -693593 && fileDate < 2958466)) return {};
    const long long totalMinutes = std::llround(fileDate * 24 * 60);
    const long long days =
        totalMinutes >= 0 ? totalMinutes / 1440 : -((-totalMinutes + 1439) / 1440);
    const long long minuteOfDay = totalMinutes - days * 1440;
    const year_month_day date{sys_days{year{1899} / December / 30} +
                              std::chrono::days{static_cast<int>(days)}};
    return Format("%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  minuteOfDay / 60, minuteOfDay % 60);
}

std::array<std::string, kVolumeColumnCount> VolumeRowTexts(const TVolumeRow& row) {
    return {
        row.Volume,
        std::to_string(row.Records),
        Format("%.1f MB", static_cast<double>(row.TotalSize) / 1048576.0),
        PlaytimeText(static_cast<int64_t>(row.TotalPlayTime)),
        FileDateText(row.NewestFileDate),
        row.Online ? "yes" : "no",
        row.Online ? Format("%c: %s", row.Drive, row.MountPoint.c_str()) : std::string(),
    };
}

void TVolumesView::Rebuild(const TTracklore& catalogue) {
    std::vector<TVolumeRow> rows =
        BuildVolumeRows(catalogue, driveSource_ ? DrivesWithMedium(driveSource_())
                                                : std::vector<platform::DriveEntry>());
    if (observer_ != nullptr) observer_->BeginReset();
    rows_ = std::move(rows);
    if (observer_ != nullptr) observer_->EndReset();
}

}  // namespace tracklore::ui
