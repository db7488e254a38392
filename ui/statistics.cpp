// The "Statistics" model and the catalogue's reports behind it.
#include "ui/statistics.h"

#include "core/catalogue.h"
#include "core/format.h"
#include "core/messages.h"

namespace tracklore::ui {

TCatalogueTotals CatalogueTotals(TTracklore& catalogue) {
    TCatalogueTotals totals;
    TrackRecord record;
    for (catalogue.First(record); record.ID != kEndID; catalogue.Next(record)) {
        ++totals.Count;
        totals.Seconds += record.PlayLength;
        totals.KB += record.FileSize >> 10;
    }
    return totals;
}

std::string PlaytimeText(int64_t seconds) {
    return Format(msg::TotalPlaytimeFormat, static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

std::string StorageSizeText(int64_t kb) {
    return Format(msg::TotalStorageSizeFormat, static_cast<long long>(kb),
                  static_cast<long long>(kb / 1024));
}

std::string SelectedSizeText(uint64_t bytes) {
    return Format(msg::SelectedFilesSize, static_cast<double>(bytes) / 1048576.0);
}

TStatisticsBox FillStatistics(TTracklore& catalogue, const std::string& currentFile) {
    const TCatalogueTotals totals = CatalogueTotals(catalogue);
    TStatisticsBox box;
    box.L_Filename = currentFile;
    box.L_Count = std::to_string(totals.Count);
    box.L_TotalPlaytime = PlaytimeText(totals.Seconds);
    box.L_TotalStorageSize = StorageSizeText(totals.KB);
    return box;
}

}  // namespace tracklore::ui
