// tracklore-cli print: a catalogue laid out as the desktop prints it, written to a PDF file.
#include "cli/print_commands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/print_pdf_qt.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/convert.h"
#include "core/file_choice.h"
#include "core/format.h"
#include "core/messages.h"
#include "core/progress_box.h"
#include "ui/print_layout.h"
#include "ui/printer_dialog.h"

namespace tracklore::cli {

namespace {

constexpr char kUsage[] =
    "print CAT --pdf OUT [--columns LIST] [--look none|gray|thin|cells] [--no-header] "
    "[--no-footer] [--font NAME] [--size POINTS] [--title TEXT]";
constexpr std::array<const char*, 4> kLookOptions{"none", "gray", "thin", "cells"};

int BadOption(const char* format, const std::string& value) {
    std::fprintf(stderr, format, value.c_str());
    std::fprintf(stderr, "\n");
    return 2;
}

// The column set of a comma-separated list of headings, or nullopt naming the bad entry.
std::optional<uint32_t> ParseColumns(const std::string& list, std::string& bad) {
    uint32_t columns = 0;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, end - start);
        bool found = false;
        for (const ui::TPrintColumn& column : ui::kPrintColumns) {
            if (!EqualsIgnoreAsciiCase(name, column.Heading)) continue;
            columns |= column.Bit;
            found = true;
        }
        if (!found) {
            bad = name;
            return std::nullopt;
        }
        start = end + 1;
    }
    // The quality column carries the dialog's second quality bit too.
    if (columns & 0x400) columns |= ui::kQualityExtraBit;
    return columns;
}

}  // namespace

int RunPrint(const std::vector<std::string>& args) {
    const ui::TPrinterDialog initial;
    ui::TPrintJob job;
    job.Columns = initial.PrintColumns();
    job.Font = initial.Font;
    std::optional<std::string> file;
    std::optional<std::string> pdf;
    std::optional<std::string> title;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--pdf" && hasValue) {
            pdf = args[++i];
        } else if (arg == "--columns" && hasValue) {
            std::string bad;
            const auto columns = ParseColumns(args[++i], bad);
            if (!columns) return BadOption("Unknown column \"%s\" for --columns", bad);
            job.Columns = *columns;
        } else if (arg == "--look" && hasValue) {
            const std::string& look = args[++i];
            const auto* found = std::find_if(kLookOptions.begin(), kLookOptions.end(),
                                             [&](const char* name) { return look == name; });
            if (found == kLookOptions.end()) return BadOption("Unknown look \"%s\"", look);
            job.Look = static_cast<int>(found - kLookOptions.begin());
        } else if (arg == "--no-header") {
            job.Header = false;
        } else if (arg == "--no-footer") {
            job.Footer = false;
        } else if (arg == "--font" && hasValue) {
            job.Font.Name = args[++i];
        } else if (arg == "--size" && hasValue) {
            const std::string& size = args[++i];
            int points = 0;
            try {
                points = StrToInt(size);
            } catch (const EConvertError&) {
                return BadOption("Invalid point size \"%s\"", size);
            }
            if (points < 1 || points > 1000) return BadOption("Invalid point size \"%s\"", size);
            job.Font.Size = points;
        } else if (arg == "--title" && hasValue) {
            title = args[++i];
        } else if (!file && arg.rfind("--", 0) != 0) {
            file = arg;
        } else {
            return Usage(kUsage);
        }
    }
    if (!file || !pdf) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, *file);
    job.PrintTitle = title ? *title : std::filesystem::path(*file).filename().string();
    job.JobTitle = Format(msg::PrintCaption, job.PrintTitle.c_str());

    PrintPdfOffscreen(*pdf, [&](ui::TPrintCanvas& canvas) {
        ui::TProgressBox progress;
        ui::PrintDB(catalogue, job, canvas, progress);
    });
    return 0;
}

}  // namespace tracklore::cli
