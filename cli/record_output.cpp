// Records printed by tracklore-cli: the CSV export layout, JSON and an aligned table.
#include "cli/record_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "core/csv_text.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "core/record_texts.h"
#include "core/text_encoding.h"
#include "core/text_scan.h"

namespace tracklore::cli {

namespace {

constexpr size_t kTableColumnLimit = 40;  // characters; longer texts are cut with "..."

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr TEscapes kJson = {
        {{{'"', "\\\""}, {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}}},
        "\\u%04x",
        false};
    // Texts from files are UTF-8 already; anything else would make invalid JSON.
    out += '"';
    AppendEscaped(out, TextFromFile(text), kJson);
    out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Characters (code points) in a UTF-8 text.
size_t Characters(std::string_view text) {
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string Cell(std::string_view text) {
    std::string cell = TextFromFile(text);
    for (char& c : cell) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';  // keep one record on one line
    }
    if (Characters(cell) <= kTableColumnLimit) return cell;
    size_t keep = 0, characters = 0;
    while (keep < cell.size() && characters < kTableColumnLimit - 3) {
        ++keep;
        while (keep < cell.size() && (static_cast<unsigned char>(cell[keep]) & 0xC0) == 0x80) {
            ++keep;
        }
        ++characters;
    }
    return cell.substr(0, keep) + "...";
}

// One record's line in the export's columns, with control characters in its texts printed
// as blanks so that the record keeps one line.
void AppendCsvRow(std::string& out, const TrackRecord& record) {
    const auto text = [&out](std::string_view value) {
        for (const char c : value)
            out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        out += ';';
    };
    const auto number = [&out](int64_t value) { out += std::to_string(value) + ';'; };
    number(record.ID);
    text(record.Volume.view());
    text(record.Filename.view());
    number(record.FileSize);
    for (const SharedText* value :
         {&record.Artist, &record.Title, &record.Album, &record.Year, &record.Comment})
        text(value->view());
    text(GenreNames[record.Genre]);
    number(record.PlayLength);
    number(record.BitRate);
    number(record.SampleRate);
    out.back() = '\r';
    out += '\n';
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, const TEscapes& escapes) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const auto* named = std::find_if(escapes.Named.begin(), escapes.Named.end(),
                                         [c](const auto& escape) { return escape.first == c; });
        if (named != escapes.Named.end()) {
            out += named->second;
        } else if (byte < 0x20 || (byte == 0x7F && escapes.Delete)) {
            out += Format(escapes.Numeric, byte);
        } else {
            out += c;
        }
    }
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void WriteCsv(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups) {
    const auto write = [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    };
    // The export's own text, without a file in between.
    if (groups == nullptr) {
        WriteCsvText(catalogue, write);
        return;
    }
    // The export's empty first line and header, from the export itself, with the group
    // column in front.
    std::string text;
    WriteCsvText(TTracklore(nullptr, 1), [&text](std::string_view piece) { text.append(piece); });
    text.insert(text.find('\n') + 1, "Group;");
    size_t index = 0;
    for (int slot = 0; slot < catalogue.SlotEnd(); ++slot) {
        const TrackRecord* record = catalogue.SlotRecord(slot);
        if (record == nullptr) continue;
        if (index < groups->size()) text += std::to_string((*groups)[index]) + ';';
        ++index;
        AppendCsvRow(text, *record);
        if (text.size() > (1u << 16)) {
            write(text);
            text.clear();
        }
    }
    write(text);
}

void WriteJson(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups) {
    std::string text = "[";
    bool first = true;
    size_t index = 0;
    for (int slot = 0; slot < catalogue.SlotEnd(); ++slot) {
        const TrackRecord* record = catalogue.SlotRecord(slot);
        if (record == nullptr) continue;
        text += first ? "\n  {" : ",\n  {";
        first = false;
        if (groups != nullptr && index < groups->size()) {
            text += "\"Group\": " + std::to_string((*groups)[index]) + ", ";
        }
        ++index;
        const auto key = [&](int code) {
            if (code > 0) text += ", ";
            text += '"';
            text += kFieldNames[code];
            text += "\": ";
        };
        const SharedText* texts[] = {&record->Volume, &record->Filename, &record->Artist,
                                     &record->Title,  &record->Album,    &record->Comment,
                                     &record->Year};
        key(0);
        text += std::to_string(record->ID);
        for (int code = 1; code <= 7; ++code) {
            key(code);
            AppendJsonString(text, texts[code - 1]->view());
        }
        const int64_t numbers[] = {record->PlayLength, record->Genre, record->SampleRate,
                                   record->BitRate, record->FileSize};
        for (int code = 8; code <= 12; ++code) {
            key(code);
            text += std::to_string(numbers[code - 8]);
        }
        key(13);
        AppendJsonNumber(text, record->FileDate);
        text += '}';
        if (text.size() > (1u << 16)) {
            out << text;
            text.clear();
        }
    }
    text += first ? "]\n" : "\n]\n";
    out << text;
}

void WriteTable(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups) {
    static constexpr const char* kCaptions[] = {"ID",       "Volume", "Artist",  "Title",
                                                "Album",    "Year",   "Comment", "Genre",
                                                "Filename", "Time",   "Quality", "Filesize"};
    std::vector<std::vector<std::string>> rows;
    rows.emplace_back(std::begin(kCaptions), std::end(kCaptions));
    if (groups != nullptr) rows.back().insert(rows.back().begin(), "Group");
    for (int slot = 0; slot < catalogue.SlotEnd(); ++slot) {
        const TrackRecord* r = catalogue.SlotRecord(slot);
        if (r == nullptr) continue;
        rows.push_back({std::to_string(r->ID), Cell(r->Volume.view()), Cell(r->Artist.view()),
                        Cell(r->Title.view()), Cell(r->Album.view()), Cell(r->Year.view()),
                        Cell(r->Comment.view()), Cell(GenreNames[r->Genre]),
                        Cell(r->Filename.view()), TimeText(r->PlayLength), QualityText(*r),
                        FilesizeText(r->FileSize)});
        if (groups != nullptr) {
            const size_t index = rows.size() - 2;
            rows.back().insert(rows.back().begin(),
                               index < groups->size() ? std::to_string((*groups)[index]) : "");
        }
    }
    WriteAlignedTable(rows, out);
}

void WriteAlignedTable(const std::vector<std::vector<std::string>>& rows, std::ostream& out) {
    if (rows.empty()) return;
    const size_t columns = rows.front().size();
    std::vector<size_t> widths(columns, 0);
    for (const auto& row : rows) {
        for (size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], Characters(row[c]));
    }
    std::string line;
    for (size_t r = 0; r < rows.size(); ++r) {
        line.clear();
        for (size_t c = 0; c < columns; ++c) {
            line += rows[r][c];
            if (c + 1 < columns) line.append(widths[c] - Characters(rows[r][c]) + 2, ' ');
        }
        out << TrimRight(line, " ") << '\n';
        if (r == 0) {
            line.clear();
            for (size_t c = 0; c < columns; ++c) {
                line.append(widths[c], '-');
                if (c + 1 < columns) line += "  ";
            }
            out << line << '\n';
        }
    }
}

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

bool IsRecordFormat(const std::string& format) {
    return format == "table" || format == "csv" || format == "json";
}

int PrintRecords(TTracklore& catalogue, const std::string& format, const TGroupColumn* groups) {
    if (format == "csv") {
        WriteCsv(catalogue, std::cout, groups);
    } else if (format == "json") {
        WriteJson(catalogue, std::cout, groups);
    } else {
        WriteTable(catalogue, std::cout, groups);
    }
    return FlushStandardOutput();
}

int FlushStandardOutput() {
    std::cout.flush();
    if (!std::cout) {
        std::fprintf(stderr, "Error writing to standard output\n");
        return 1;
    }
    return 0;
}

}  // namespace tracklore::cli
