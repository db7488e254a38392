// tracklore-cli update: the records of folders brought up to date with their files.
#include "cli/update_commands.h"

#include <cstdio>
#include <exception>

#include "cli/capacity.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "media/update.h"
#include "platform/file_info.h"

namespace tracklore::cli {

namespace {

void PrintList(const char* heading, size_t count, const std::vector<std::string>& lines) {
    std::printf("%s: %zu\n", heading, count);
    for (const auto& line : lines)
        std::printf("  %s\n", line.c_str());
}

void PrintReport(const TUpdateReport& report) {
    PrintList("Added", report.Added.size(), report.Added);
    PrintList("Changed", report.Changed.size(), report.Changed);
    std::printf("Unchanged: %d\n", report.Unchanged);
    std::vector<std::string> missing;
    for (const auto& record : report.Missing)
        missing.push_back(RecordPath(record));
    PrintList("Missing", missing.size(), missing);
    std::printf("Removed: %d\n", report.Removed);
    PrintList("Failed", report.Failed.size(), report.Failed);
}

}  // namespace

int RunUpdate(const std::vector<std::string>& given) {
    // The options may stand anywhere.
    TScanOptions options;
    bool removeMissing = false;
    std::vector<std::string> args;
    for (const auto& arg : given) {
        if (arg == "--scan-vbr") {
            options.ScanVBR = true;
        } else if (arg == "--remove-missing") {
            removeMissing = true;
        } else {
            args.push_back(arg);
        }
    }
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "Usage: tracklore-cli update CAT PATH... [--remove-missing] [--scan-vbr]\n");
        return 2;
    }
    const std::string& catalogueFile = args[0];
    TTracklore catalogue(nullptr, CatalogueCapacity());
    if (platform::GetFileStatus(catalogueFile)) LoadByFormat(catalogue, catalogueFile);

    TUpdateReport report;
    int status = 0;
    try {
        for (size_t i = 1; i < args.size(); ++i)
            UpdateFolder(catalogue, args[i], report, options);
        if (removeMissing) RemoveMissing(catalogue, report);
    } catch (const std::exception& error) {
        // What was updated before the failure is still reported and saved.
        PrintReport(report);
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    if (status == 0) PrintReport(report);
    std::fflush(stdout);
    if (report.ChangedCatalogue() || !platform::GetFileStatus(catalogueFile))
        SaveByFormat(catalogue, catalogueFile);
    return status;
}

}  // namespace tracklore::cli
