// The player's settings in the registry store: plug-in, temporary storage and drives.
#include "playback/player_settings.h"

#include <cstdlib>
#include <exception>

#include "platform/registry.h"

namespace tracklore::playback {

namespace {

using platform::TRegistry;
using platform::TRegResult;
using platform::TRegValue;

// The reads in their order; false at the first one that fails.
bool ReadAll(const TRegistry& registry, TPlayerSettings& settings) {
    if (registry.ReadString("PluginPlayer", settings.PluginPlayer) != TRegResult::Ok) return false;
    if (registry.ReadString("TempStoragePath", settings.TempStoragePath) != TRegResult::Ok)
        return false;
    if (registry.ReadInteger("TempStorageLim", settings.TempStorageLim) != TRegResult::Ok)
        return false;
    std::string drives;
    if (registry.ReadString("SearchDrives", drives) != TRegResult::Ok) return false;
    settings.SearchDriveSet = DriveSetOf(drives);
    int32_t deleteOnPlay = 0;
    if (registry.ReadInteger("TempDeleteOnPlay", deleteOnPlay) != TRegResult::Ok) return false;
    settings.TempDeleteOnPlay = deleteOnPlay == 1;
    return true;
}

}  // namespace

TPlayerSettings LoadPlayerSettings(const std::string& registryFile) {
    TPlayerSettings settings;
    try {
        TRegistry registry(registryFile);
        if (registry.OpenKey(platform::kRegistryKey, false)) ReadAll(registry, settings);
    } catch (const std::exception&) {
        // An unreadable store counts as a failed read: what was read stays.
    }
    if (settings.TempStoragePath.empty()) {
        settings.TempStoragePath = TempFolder();
        settings.TempStorageLim = kDefaultTempStorageLim;
    }
    return settings;
}

void SavePlayerSettings(const TPlayerSettings& settings, const std::string& registryFile) {
    try {
        TRegistry registry(registryFile);
        if (!registry.OpenKey(platform::kRegistryKey, true)) return;
        // One replacement of the store file for the five values, written in their order.
        registry.WriteValues({
            {"PluginPlayer", platform::RegText(settings.PluginPlayer)},
            {"TempStoragePath", platform::RegText(settings.TempStoragePath)},
            {"SearchDrives", platform::RegText(SearchDrivesText(settings.SearchDriveSet))},
            {"TempStorageLim", platform::RegInteger(settings.TempStorageLim)},
            {"TempDeleteOnPlay", platform::RegInteger(settings.TempDeleteOnPlay ? 1 : 0)},
        });
    } catch (const std::exception&) {
        // The player's values are a convenience: a store that cannot be written is ignored.
    }
}

uint32_t DriveBit(char letter) {
    if (letter < 'a' || letter > 'z') return 0;
    return 1u << (letter - 'a' + 1);
}

bool InDriveSet(uint32_t driveSet, char letter) {
    const uint32_t bit = DriveBit(letter);
    return bit != 0 && (driveSet & bit) != 0;
}

std::string SearchDrivesText(uint32_t driveSet) {
    std::string letters;
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (InDriveSet(driveSet, letter)) letters += letter;
    return letters;
}

uint32_t DriveSetOf(const std::string& letters) {
    uint32_t set = 0;
    for (char c : letters) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        set |= DriveBit(c);
    }
    return set;
}

std::string TempFolder() {
    std::string folder = "/tmp/";
    if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && tmp[0] == '/') folder = tmp;
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace tracklore::playback
