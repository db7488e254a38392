// tracklore-cli stats: the totals of a catalogue file as File Info shows them.
#include "cli/stats_commands.h"

#include <cstdio>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "core/messages.h"
#include "ui/statistics.h"

namespace tracklore::cli {

int RunStats(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) return Usage("stats CAT");
    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, args[0]);
    const ui::TStatisticsBox box = ui::FillStatistics(catalogue, args[0]);
    std::printf("%s %s\n", msg::FilesInDatabaseLabel, box.L_Count.c_str());
    std::printf("%s %s\n", msg::TotalPlaytimeLabel, box.L_TotalPlaytime.c_str());
    std::printf("%s %s\n", msg::TotalStorageSizeLabel, box.L_TotalStorageSize.c_str());
    return FlushStandardOutput();
}

}  // namespace tracklore::cli
