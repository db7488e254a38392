// How tracklore-cli prints records: the CSV export layout, JSON, and an aligned table with
// the texts the views show.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/catalogue.h"

namespace tracklore::cli {

inline constexpr int kFieldCount = 14;
/// The record's field names, indexed by field code.
inline constexpr const char* kFieldNames[kFieldCount] = {
    "ID",   "Volume",     "Filename", "Artist",     "Title",   "Album",    "Comment",
    "Year", "PlayLength", "Genre",    "SampleRate", "BitRate", "FileSize", "FileDate",
};

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

/// The records in slot order exactly as ExportCSV writes them.
void WriteCsv(TTracklore& catalogue, std::ostream& out);
/// A JSON array of one object per record, keyed by the field names; texts as strings,
/// numbers as numbers.
void WriteJson(TTracklore& catalogue, std::ostream& out);
/// One line per record with the columns of the list view, aligned; long texts are cut.
void WriteTable(TTracklore& catalogue, std::ostream& out);

/// True for the formats of --format: "table", "csv" and "json".
bool IsRecordFormat(const std::string& format);
/// Writes the records to standard output in `format` and returns the exit status:
/// FlushStandardOutput's.
int PrintRecords(TTracklore& catalogue, const std::string& format);
/// Flushes standard output: 0, or 1 after "Error writing to standard output" on stderr
/// when anything was lost (a full disk, a closed pipe).
int FlushStandardOutput();

}  // namespace tracklore::cli
