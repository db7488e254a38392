// tracklore-cli volumes: one line per volume label of a catalogue, with its totals.
#include "cli/volumes_commands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>

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

int Usage() {
    std::fprintf(stderr, "Usage: tracklore-cli %s\n", kUsage);
    return 2;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : TextFromFile(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

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
    std::vector<std::array<std::string, ui::kVolumeColumnCount>> lines;
    lines.push_back({});
    for (int c = 0; c < ui::kVolumeColumnCount; ++c)
        lines.back()[static_cast<size_t>(c)] = ui::kVolumeColumnCaptions[static_cast<size_t>(c)];
    for (const ui::TVolumeRow& row : rows) {
        lines.push_back(ui::VolumeRowTexts(row));
        lines.back()[0] = CsvText(lines.back()[0]);
    }
    std::array<size_t, ui::kVolumeColumnCount> widths{};
    const auto characters = [](const std::string& text) {
        size_t count = 0;
        for (const char c : text)
            count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return count;
    };
    for (const auto& line : lines) {
        for (size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], characters(line[c]));
    }
    for (size_t r = 0; r < lines.size(); ++r) {
        std::string text;
        for (size_t c = 0; c < widths.size(); ++c) {
            text += lines[r][c];
            if (c + 1 < widths.size()) text.append(widths[c] - characters(lines[r][c]) + 2, ' ');
        }
        out << TrimRight(text, " ") << '\n';
        if (r == 0) {
            text.clear();
            for (size_t c = 0; c < widths.size(); ++c) {
                text.append(widths[c], '-');
                if (c + 1 < widths.size()) text += "  ";
            }
            out << text << '\n';
        }
    }
}

}  // namespace

int RunVolumes(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string format = "table";
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size()) {
            format = args[++i];
            if (!IsRecordFormat(format)) return Usage();
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage();
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 1) return Usage();

    TTracklore catalogue;
    LoadByFormat(catalogue, positional[0]);
    const std::vector<ui::TVolumeRow> rows =
        ui::BuildVolumeRows(catalogue, ui::DrivesWithMedium(platform::DriveTable()));
    if (format == "csv") {
        WriteVolumeCsv(rows, std::cout);
    } else if (format == "json") {
        WriteVolumeJson(rows, std::cout);
    } else {
        WriteVolumeTable(rows, std::cout);
    }
    return FlushStandardOutput();
}

}  // namespace tracklore::cli
