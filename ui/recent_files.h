// The catalogues opened or saved last (newest first, at most eight absolute paths) and the
// choice to reopen the last one at start, kept in the preferences store beside TPrefs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace tracklore::ui {

struct TPrefs;

inline constexpr size_t kMaxRecentFiles = 8;

/// Puts `path` first in `files`, dropping an older entry of it and whatever passes the limit.
void NoteRecentFile(std::vector<std::string>& files, const std::string& path);
/// Takes `path` out of `files` (a catalogue that could not be opened).
void ForgetRecentFile(std::vector<std::string>& files, const std::string& path);

/// Reads "RecentFile1".."RecentFile8" and "OpenLastAtStart". A value that is missing, empty,
/// of another type or not an absolute path keeps its default; an unreadable store too: these
/// values never make start-up fail.
void LoadRecentFiles(TPrefs& prefs, const std::string& registryFile);
/// The same from a store whose key is open (LoadPrefs reads the store once for all values).
void ReadRecentFiles(TPrefs& prefs, const platform::TRegistry& registry);
/// The same values for SavePrefs; unused slots are written empty, so an older list does
/// not come back.
std::vector<std::pair<std::string, platform::TRegValue>> RecentFileValues(const TPrefs& prefs);

/// The file a start without a named file opens: LastFile when the choice is on and the file
/// still exists; empty otherwise.
std::string FileToReopen(const TPrefs& prefs);

}  // namespace tracklore::ui
