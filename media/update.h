// Updating the records of a folder tree: a file whose size and date are those of its record
// is passed over, a changed file is read again into its record, a new file is added, and a
// record whose file is gone is listed as missing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/track_record.h"
#include "media/scan.h"

namespace tracklore {

/// What an update found and did.
struct TUpdateReport {
    std::vector<std::string> Added;    ///< paths of new files, added as records
    std::vector<std::string> Changed;  ///< paths of files read again into their records
    int Unchanged = 0;                 ///< files whose size and date match their record
    /// Records under the walked folders whose file is gone; they stay until RemoveMissing.
    std::vector<TrackRecord> Missing;
    int Removed = 0;                  ///< missing records removed by RemoveMissing
    std::vector<std::string> Failed;  ///< "path  -  message" of what could not be read
    bool Cancelled = false;           ///< stopped through TScanOptions::Cancel

    /// Whether the catalogue changed (records added, re-read or removed).
    bool ChangedCatalogue() const { return !Added.empty() || !Changed.empty() || Removed > 0; }
};

/// Updates the records of the MP3 files in `folder` and its subfolders, walking them as
/// ScanFolder does (OnScan before each file, Cancel looked at after it). A file matches the
/// record with the same volume label and file name (compared as the catalogue compares
/// names, ignoring case); when several do, the first in slot order. A matched file whose
/// size and date are the record's is not opened. A changed file is read again into its
/// record, which keeps its ID; a new file is added. Records under the folder (same volume,
/// file name below the folder's) whose file was not met are listed as missing; a cancelled
/// update lists none. A file that cannot be read (tag, header or read error), a subfolder
/// that cannot be listed and a pipe or device named ".mp3" are listed in Failed as a scan
/// lists them, and the update goes on; the records under such a subfolder are not missing.
/// A full catalogue ends the update. Raises EInOutError when `folder` cannot be listed.
void UpdateFolder(TTracklore& catalogue, const std::string& folder, TUpdateReport& report,
                  const TScanOptions& options = {});

/// Removes the records listed as missing from `catalogue` and counts them as removed.
/// `beforeDelete` (if any) is called with each just before it goes, so that sets referring
/// to the catalogue's records can let go of it.
void RemoveMissing(TTracklore& catalogue, TUpdateReport& report,
                   const std::function<void(const TrackRecord&)>& beforeDelete = {});

/// The display path of a record: volume label (in brackets when there is one) and file name.
std::string RecordPath(const TrackRecord& record);

/// The display paths of the report's missing records, in their order.
std::vector<std::string> MissingPaths(const TUpdateReport& report);

}  // namespace tracklore
