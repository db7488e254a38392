// Scanning: one MP3 file into one catalogue record, and a folder tree into records plus a
// list of the files that could not be read.
#pragma once

#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/track_record.h"

namespace tracklore {

/// True when the name ends in ".mp3" in any letter case: the files a scan reads.
bool HasMp3Extension(const std::string& name);

/// Builds the record of one file (tags, audio values, size, date, volume label and the path
/// below the drive's root) without adding it. A path without a folder is taken in the
/// current folder. Raises EMPEGError, Eid3v2, stream and conversion errors.
TrackRecord ScanRecord(const std::string& path);

/// Scans one file and inserts its record into `catalogue` (which assigns the ID). Raises as
/// ScanRecord, and "Too Many Elements!" when the catalogue is full.
void ScanFile(TTracklore& catalogue, const std::string& path);

/// Scans one file as ScanFile does, except that a tag or header error (EMPEGError, Eid3v2)
/// adds the line "path  -  message" to `errors` instead of being raised.
void ScanFileListingErrors(TTracklore& catalogue, const std::string& path,
                           std::vector<std::string>& errors);

/// Scans every file with the extension ".mp3" (any case) in `folder` and its subfolders,
/// depth first, raising the catalogue's OnScan before each file. A file that fails with a
/// tag or header error adds the line "path  -  message" to `errors`; any other error ends
/// the scan and is raised. A folder reached again through a link is not scanned twice.
void ScanFolder(TTracklore& catalogue, const std::string& folder, std::vector<std::string>& errors);

}  // namespace tracklore
