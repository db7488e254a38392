// The file-level steps of the window's file commands, shared with the command-line tool: the
// format chosen by a file name, loading, saving and merging by it.
#pragma once

#include <string>

#include "core/catalogue.h"

namespace tracklore {

/// True when the name's extension is exactly ".csv" (case counts: ".CSV" is not CSV).
bool IsCsvFileName(const std::string& fileName);

/// Loads `fileName` into the owning `catalogue` by the format choice (ImportCSV or
/// LoadFromFile). On failure the catalogue is emptied and the error is raised. `progress`
/// follows a catalogue file's load (a CSV file reports only its end, 100). `keep` picks the
/// records kept, as for LoadFromFile.
void LoadByFormat(TTracklore& catalogue, const std::string& fileName,
                  const LoadProgress& progress = {}, const RecordFilter& keep = {});

/// Writes `catalogue` (owning or a result set) to `fileName` by the format choice
/// (ExportCSV or SaveToFile).
void SaveByFormat(TTracklore& catalogue, const std::string& fileName);

/// Loads `fileName` by the format choice into a temporary catalogue and inserts its records
/// into `catalogue` in slot order, each getting a new identifier. Records inserted before a
/// failure stay; the error is raised. Returns the number of records merged. `progress`
/// follows the load as in LoadByFormat.
int MergeFromFile(TTracklore& catalogue, const std::string& fileName,
                  const LoadProgress& progress = {});

}  // namespace tracklore
