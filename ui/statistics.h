// The "Statistics" dialog (TStatisticsBox) as a model and the two reports on the catalogue:
// File Info's totals and the size of the selected files.
#pragma once

#include <cstdint>
#include <string>

namespace tracklore {
class TTracklore;
}

namespace tracklore::ui {

/// The value labels of the statistics dialog, each holding the text it shows.
struct TStatisticsBox {
    std::string L_Filename;          ///< the open catalogue file, or "Untitled"
    std::string L_Count;             ///< number of records, decimal
    std::string L_TotalPlaytime;     ///< "%dh %dm %ds"
    std::string L_TotalStorageSize;  ///< "...KB  =  ...MB"
    std::string L_Filesize;          ///< always empty
};

/// The catalogue's totals. Sums are 64-bit, so no catalogue can overflow them.
struct TCatalogueTotals {
    int64_t Count = 0;
    int64_t Seconds = 0;  ///< sum of the play lengths
    int64_t KB = 0;       ///< sum of each file's size in whole KB (truncated before adding)
};

/// Walks `catalogue` from First to the end and adds up its records.
TCatalogueTotals CatalogueTotals(TTracklore& catalogue);

/// "%dh %dm %ds": whole hours, the minutes and seconds left over.
std::string PlaytimeText(int64_t seconds);
/// The KB in decimal, "KB  =  ", the whole MB (KB div 1024), "MB": "5120KB  =  5MB".
std::string StorageSizeText(int64_t kb);
/// "Size of selected files is: %6.2f M" with `bytes` in MB (1048576 bytes).
std::string SelectedSizeText(uint64_t bytes);

/// The dialog's labels for `catalogue`, opened from `currentFile`.
TStatisticsBox FillStatistics(TTracklore& catalogue, const std::string& currentFile);

}  // namespace tracklore::ui
