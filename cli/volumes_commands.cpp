// tracklore-cli volumes: one line per volume label of a catalogue, with its totals.
#include "cli/volumes_commands.h"

#include <iostream>
#include <string>
#include <vector>

#include "cli/capacity.h"
#include "cli/command_args.h"
#include "cli/record_output.h"
#include "core/catalogue.h"
#include "core/file_choice.h"
#include "core/text_encoding.h"
#include "core/text_scan.h"
#include "platform/drives.h"
#include "ui/volumes.h"

namespace tracklore::cli {

namespace {

constexpr char kUsage[] = "volumes CAT [--format table|csv|json]";

// A text on one line without the CSV separator.
std::string CsvText(std::string_view text) {
    std::string out = TextFromFile(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == ';') c = ' ';
    }
    return out;
}

void WriteVolumeCsv(const std::vector<ui::TVolumeRow>& rows, std::ostream& out) {
    out << "Volume;Records;Size;PlayTime;NewestFile;Online;Drive;MountPoint\r\n";
    for (const ui::TVolumeRow& row : rows) {
        out << CsvText(row.Volume) << ';' << row.Records << ';' << row.TotalSize << ';'
            << row.TotalPlayTime << ';' << ui::FileDateText(row.NewestFileDate) << ';'
            << (row.Online ? "yes" : "no") << ';' << (row.Online ? std::string(1, row.Drive) : "")
            << ';' << CsvText(row.MountPoint) << "\r\n";
    }
}

void WriteVolumeJson(const std::vector<ui::TVolumeRow>& rows, std::ostream& out) {
    out << '[';
    for (size_t i = 0; i < rows.size(); ++i) {
        const ui::TVolumeRow& row = rows[i];
        out << (i == 0 ? "\n  {" : ",\n  {") << "\"Volume\": " << JsonString(row.Volume)
            << ", \"Records\": " << row.Records << ", \"Size\": " << row.TotalSize
            << ", \"PlayTime\": " << row.TotalPlayTime
            << ", \"NewestFile\": " << JsonString(ui::FileDateText(row.NewestFileDate))
            << ", \"Online\": " << (row.Online ? "true" : "false")
            << ", \"Drive\": " << (row.Online ? JsonString(std::string(1, row.Drive)) : "null")
            << ", \"MountPoint\": " << (row.Online ? JsonString(row.MountPoint) : "null") << '}';
    }
    out << (rows.empty() ? "]\n" : "\n]\n");
}

void WriteVolumeTable(const std::vector<ui::TVolumeRow>& rows, std::ostream& out) {
    std::vector<std::vector<std::string>> lines;
    lines.emplace_back(std::begin(ui::kVolumeColumnCaptions), std::end(ui::kVolumeColumnCaptions));
    for (const ui::TVolumeRow& row : rows) {
        const auto texts = ui::VolumeRowTexts(row);
        lines.emplace_back(texts.begin(), texts.end());
        lines.back()[0] = CsvText(lines.back()[0]);
    }
    WriteAlignedTable(lines, out);
}

}  // namespace

int RunVolumes(const std::vector<std::string>& args) {
    TListingArgs parsed;
    if (const int wrong = ReadListingArgs(args, kUsage, parsed); wrong != 0) return wrong;
    if (parsed.Words.size() != 1) return Usage(kUsage);

    TTracklore catalogue(nullptr, CatalogueCapacity());
    LoadByFormat(catalogue, parsed.Words[0]);
    const std::vector<ui::TVolumeRow> rows =
        ui::BuildVolumeRows(catalogue, ui::DrivesWithMedium(platform::DriveTable()));
    if (parsed.Format == "csv") {
        WriteVolumeCsv(rows, std::cout);
    } else if (parsed.Format == "json") {
        WriteVolumeJson(rows, std::cout);
    } else {
        WriteVolumeTable(rows, std::cout);
    }
    return FlushStandardOutput();
}

}  // namespace tracklore::cli
