// Scanning: one MP3 file into one catalogue record, and a folder tree into records plus a
// list of the files that could not be read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/track_record.h"

namespace tracklore {

/// How a scan reads its files, and how a folder scan is stopped.
struct TScanOptions {
    /// Walk every frame of every file (the "Scan entire file" preference). Otherwise the
    /// audio values come from the first frames (TMPEGAudio::ScanQuick), which reads the
    /// tags, the start of the audio and the last 128 bytes only.
    bool ScanVBR = false;
    /// When set, a folder scan looks at the flag after each file's OnScan notification (which
    /// lets the user act) and, when it is true, stops before that file.
    const bool* Cancel = nullptr;
    /// When set, the bytes fetched from the files are added to it.
    int64_t* BytesRead = nullptr;
};

/// True when the name ends in ".mp3" in any letter case: the files a scan reads.
bool HasMp3Extension(const std::string& name);

/// Builds the record of one file (tags, audio values, size, date, volume label and the path
/// below the drive's root) without adding it. A path without a folder is taken in the
/// current folder. Raises EMPEGError, Eid3v2, stream and conversion errors.
TrackRecord ScanRecord(const std::string& path, const TScanOptions& options = {});

/// Scans one file and inserts its record into `catalogue` (which assigns the ID). Raises as
/// ScanRecord, and "Too Many Elements!" when the catalogue is full.
void ScanFile(TTracklore& catalogue, const std::string& path, const TScanOptions& options = {});

/// Builds the record of one file as ScanRecord does, except that a failure that belongs to
/// the file (a tag or header error, a short read, an open or read error, a file that is
/// gone) adds the line "path  -  message" to `errors` and gives no record.
std::optional<TrackRecord> ScanRecordListingErrors(const std::string& path,
                                                   std::vector<std::string>& errors,
                                                   const TScanOptions& options = {});

/// Scans one file as ScanFile does, except that a failure that belongs to the file (a tag
/// or header error, a short read, an open or read error, a file that is gone) adds the line
/// "path  -  message" to `errors` instead of being raised. "Too Many Elements!" is raised.
void ScanFileListingErrors(TTracklore& catalogue, const std::string& path,
                           std::vector<std::string>& errors, const TScanOptions& options = {});

/// Scans every file with the extension ".mp3" (any case) in `folder` and its subfolders,
/// depth first, raising the catalogue's OnScan before each file. Each file that fails is
/// listed in `errors` as ScanFileListingErrors does, and so are a subfolder that cannot be
/// listed and a pipe or device named ".mp3" (passed over, not opened); the scan goes on.
/// Only a failure of the walk itself ends it and is raised: `folder` that cannot be
/// listed ("Error opening ..."), or a full catalogue. A folder reached again through a link
/// is not scanned twice. Returns false when the scan was stopped through
/// `options.Cancel`, true when it ran to its end.
bool ScanFolder(TTracklore& catalogue, const std::string& folder, std::vector<std::string>& errors,
                const TScanOptions& options = {});

}  // namespace tracklore
