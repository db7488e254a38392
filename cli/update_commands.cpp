// tracklore-cli update: the records of folders brought up to date with their files.
#include "cli/update_commands.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "media/update.h"
#include "platform/file_info.h"

namespace tracklore::cli {

namespace {

void PrintList(const char* heading, const std::vector<std::string>& lines) {
    std::printf("%s: %zu\n", heading, lines.size());
    for (const auto& line : lines)
        std::printf("  %s\n", line.c_str());
}

void PrintReport(const TUpdateReport& report) {
    PrintList("Added", report.Added);
    PrintList("Changed", report.Changed);
    std::printf("Unchanged: %d\n", report.Unchanged);
    PrintList("Missing", MissingPaths(report));
    std::printf("Removed: %d\n", report.Removed);
    PrintList("Failed", report.Failed);
}

}  // namespace

int RunUpdate(const std::vector<std::string>& given) {
    // The options may stand anywhere.
    TScanOptions options;
    bool removeMissing = false;
    const std::vector<std::string> args =
        TakeFlags(given, {{"--scan-vbr", &options.ScanVBR}, {"--remove-missing", &removeMissing}});
    if (args.size() < 2) return Usage("update CAT PATH... [--remove-missing] [--scan-vbr]");
    const std::string& catalogueFile = args[0];
    TTracklore catalogue(nullptr, CatalogueCapacity());
    const bool existed = platform::GetFileStatus(catalogueFile).has_value();
    if (existed) LoadByFormat(catalogue, catalogueFile);

    TUpdateReport report;
    std::optional<std::string> failure;
    try {
        for (size_t i = 1; i < args.size(); ++i)
            UpdateFolder(catalogue, args[i], report, options);
        if (removeMissing) RemoveMissing(catalogue, report);
    } catch (const std::exception& error) {
        failure = error.what();  // what was updated before it is still reported and saved
    }
    PrintReport(report);
    std::fflush(stdout);
    if (failure) std::fprintf(stderr, "%s\n", failure->c_str());
    if (report.ChangedCatalogue() || !existed) SaveByFormat(catalogue, catalogueFile);
    return failure ? 1 : 0;
}

}  // namespace tracklore::cli
