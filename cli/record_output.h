// How tracklore-cli prints records: the CSV export layout, JSON, and an aligned table with
// the texts the views show.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/catalogue.h"

namespace tracklore::cli {

inline constexpr int kFieldCount = 14;
/// The record's field names, indexed by field code.
inline constexpr const char* kFieldNames[kFieldCount] = {
    "ID",   "Volume",     "Filename", "Artist",     "Title",   "Album",    "Comment",
    "Year", "PlayLength", "Genre",    "SampleRate", "BitRate", "FileSize", "FileDate",
};

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

/// How AppendEscaped writes characters: those `Named` lists as their texts, the other
/// control characters (and DEL when `Delete`) by the printf format `Numeric` of their byte.
struct TEscapes {
    std::array<std::pair<char, const char*>, 5> Named;
    const char* Numeric;
    bool Delete;
};
/// Appends `text` with its characters escaped as `escapes` says.
void AppendEscaped(std::string& out, std::string_view text, const TEscapes& escapes);

/// Group numbers by slot order: with them, every record is printed behind its group's
/// number, in a first column "Group" (the duplicate finder's output).
using TGroupColumn = std::vector<int>;

/// The records in slot order exactly as ExportCSV writes them (with `groups`, each line
/// starts with the group's number; control characters in texts are printed as blanks then,
/// so every record keeps one line).
void WriteCsv(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups = nullptr);
/// A JSON array of one object per record, keyed by the field names; texts as strings,
/// numbers as numbers (with `groups`, "Group" comes first).
void WriteJson(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups = nullptr);
/// One line per record with the columns of the list view, aligned; long texts are cut.
void WriteTable(TTracklore& catalogue, std::ostream& out, const TGroupColumn* groups = nullptr);

/// Writes `rows` (the first the captions, all of one length) as columns two blanks apart,
/// each as wide as its widest text in characters, with a line of dashes under the captions
/// and no blanks at the ends of lines.
void WriteAlignedTable(const std::vector<std::vector<std::string>>& rows, std::ostream& out);
/// `text` as a JSON string, in quotes; bytes that are not UTF-8 are read as Windows-1252.
std::string JsonString(std::string_view text);

/// True for the formats of --format: "table", "csv" and "json".
bool IsRecordFormat(const std::string& format);
/// Writes the records to standard output in `format` and returns the exit status:
/// FlushStandardOutput's.
int PrintRecords(TTracklore& catalogue, const std::string& format,
                 const TGroupColumn* groups = nullptr);
/// Flushes standard output: 0, or 1 after "Error writing to standard output" on stderr
/// when anything was lost (a full disk, a closed pipe).
int FlushStandardOutput();

}  // namespace tracklore::cli
