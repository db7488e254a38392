// The player's stored settings: the chosen plug-in, the temporary storage and the drives
// searched for volumes, read from and written to the registry store.
#pragma once

#include <cstdint>
#include <string>

namespace tracklore::playback {

/// Storage limit given together with the default temporary folder, in MB.
inline constexpr int32_t kDefaultTempStorageLim = 50;

struct TPlayerSettings {
    std::string PluginPlayer;     ///< file name of the plug-in library; "" for none
    std::string TempStoragePath;  ///< folder for temporary copies
    int32_t TempStorageLim = 0;   ///< MB; shown and stored, not enforced
    uint32_t SearchDriveSet = 0;  ///< bit (letter - 'a' + 1) for each searched drive
    bool TempDeleteOnPlay = false;
    bool operator==(const TPlayerSettings&) const = default;
};

/// Reads PluginPlayer, TempStoragePath, TempStorageLim, SearchDrives and TempDeleteOnPlay in
/// that order from `registryFile`; the first failing read (missing key or value, wrong type,
/// unreadable store) ends the reading silently, keeping what was read. Then an empty
/// TempStoragePath becomes TempFolder() with TempStorageLim 50.
TPlayerSettings LoadPlayerSettings(const std::string& registryFile);

/// Writes PluginPlayer, TempStoragePath, SearchDrives, TempStorageLim and TempDeleteOnPlay
/// (0 or 1) in that order, creating the key; failures are ignored.
void SavePlayerSettings(const TPlayerSettings& settings, const std::string& registryFile);

/// The letters of a drive set, lower case, a to z ("cd").
std::string SearchDrivesText(uint32_t driveSet);
/// The drive set of a SearchDrives text: letters a to z in either case; others are ignored.
uint32_t DriveSetOf(const std::string& letters);
/// True when `letter` (lower case) is in the set.
bool InDriveSet(uint32_t driveSet, char letter);
/// The bit of `letter` (lower case a to z); 0 for anything else.
uint32_t DriveBit(char letter);

/// The system's temporary folder with a trailing "/": $TMPDIR when set and absolute, else
/// "/tmp/".
std::string TempFolder();

}  // namespace tracklore::playback
