// The walk a folder scan and a folder update share: the MP3 files of a folder tree, depth
// first, with the subfolders and special files it cannot read listed on the way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "media/scan.h"

namespace tracklore {

/// Walks `folder` and its subfolders depth first, in the order the folders list their
/// entries, for the files with the extension ".mp3" (any case). Before each file it raises
/// the catalogue's OnScan, then looks at `options.Cancel` and, unless that is set, hands the
/// path to `visit`. A subfolder that cannot be listed ("Folder could not be read: " and the
/// system's text) and a pipe or device named ".mp3" (not opened) are listed in `errors` as
/// "path  -  message", and the walk goes on; such subfolders are also added to `unread` when
/// given. A folder reached again (through a link) is walked once. Raises EInOutError
/// ("Error opening ...") when `folder` itself cannot be listed. Returns false when the walk
/// was stopped through `options.Cancel`.
bool WalkMp3Files(TTracklore& catalogue, const std::string& folder, const TScanOptions& options,
                  std::vector<std::string>& errors,
                  const std::function<void(const std::string& path)>& visit,
                  std::vector<std::string>* unread = nullptr);

/// The line of a scan's error list: "path  -  message".
std::string ScanErrorLine(const std::string& path, const std::string& message);

}  // namespace tracklore
