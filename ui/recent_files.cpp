// The recent files list: adding, trimming to eight and keeping it in the preferences.
#include "ui/recent_files.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "ui/prefs.h"

namespace tracklore::ui {

namespace {

constexpr char kOpenLastAtStart[] = "OpenLastAtStart";

std::string SlotName(size_t index) {
    return "RecentFile" + std::to_string(index + 1);
}

}  // namespace

void NoteRecentFile(std::vector<std::string>& files, const std::string& path) {
    ForgetRecentFile(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kMaxRecentFiles) files.resize(kMaxRecentFiles);
}

void ForgetRecentFile(std::vector<std::string>& files, const std::string& path) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
}

void LoadRecentFiles(TPrefs& prefs, const std::string& registryFile) {
    try {
        platform::TRegistry registry(registryFile);
        if (registry.OpenKey(kRegistryKey, false)) ReadRecentFiles(prefs, registry);
    } catch (const std::exception&) {
        // The start goes on with the defaults; LoadPrefs reports an unreadable store.
    }
}

void ReadRecentFiles(TPrefs& prefs, const platform::TRegistry& registry) {
    try {
        std::vector<std::string> files;
        for (size_t i = 0; i < kMaxRecentFiles; ++i) {
            std::string path;
            if (registry.ReadString(SlotName(i), path) != platform::TRegResult::Ok) continue;
            // Only absolute paths: a relative one would follow the current folder.
            if (path.empty() || path.front() != '/') continue;
            if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
        }
        prefs.RecentFiles = std::move(files);
        int32_t openLast = 1;
        if (registry.ReadInteger(kOpenLastAtStart, openLast) == platform::TRegResult::Ok)
            prefs.OpenLastAtStart = openLast != 0;
    } catch (const std::exception&) {
        // The start goes on with what was read; LoadPrefs reports an unreadable store.
    }
}

std::vector<std::pair<std::string, platform::TRegValue>> RecentFileValues(const TPrefs& prefs) {
    std::vector<std::pair<std::string, platform::TRegValue>> values;
    for (size_t i = 0; i < kMaxRecentFiles; ++i)
        values.emplace_back(
            SlotName(i),
            platform::RegText(i < prefs.RecentFiles.size() ? prefs.RecentFiles[i] : std::string()));
    values.emplace_back(kOpenLastAtStart, platform::RegInteger(prefs.OpenLastAtStart ? 1 : 0));
    return values;
}

std::string FileToReopen(const TPrefs& prefs) {
    if (!prefs.OpenLastAtStart || prefs.LastFile.empty()) return {};
    std::error_code unknown;
    return std::filesystem::is_regular_file(prefs.LastFile, unknown) ? prefs.LastFile
                                                                     : std::string();
}

}  // namespace tracklore::ui
