// The preferences of the main window: defaults, and loading and saving in the registry store.
#include "ui/prefs.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "platform/program.h"
#include "platform/registry.h"
#include "streams/stream_errors.h"
#include "ui/column_layout.h"
#include "ui/recent_files.h"

namespace tracklore::ui {

namespace {

using platform::TRegistry;
using platform::TRegResult;

constexpr uint8_t kFontStyleBits = kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut;

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
        return user->pw_dir;
    return ".";
}

// Texts: a missing value reads as empty; only another type fails.
bool ReadText(const TRegistry& registry, const char* name, std::string& text) {
    std::string value;
    const TRegResult result = registry.ReadString(name, value);
    if (result != TRegResult::Ok && result != TRegResult::Missing) return false;
    text = value;
    return true;
}

// Integers: missing fails as well as another type.
bool ReadNumber(const TRegistry& registry, const char* name, int32_t& number) {
    return registry.ReadInteger(name, number) == TRegResult::Ok;
}

// The style byte: at most one byte; a missing value or an empty one leaves it as it is.
bool ReadStyle(const TRegistry& registry, uint8_t& style) {
    std::string bytes;
    switch (registry.ReadBinary("ListFontStyle", bytes, 1)) {
        case TRegResult::Ok:
            if (!bytes.empty()) style = static_cast<uint8_t>(bytes[0]);
            return true;
        case TRegResult::Missing: return true;
        default: return false;
    }
}

}  // namespace

TPrefs::TPrefs() : HomeDir(platform::ProgramFolder()) {}

std::string DefaultRegistryFile() {
    if (const char* file = std::getenv("TRACKLORE_REGISTRY"); file != nullptr && file[0] != '\0')
        return file;
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string folder =
        config != nullptr && config[0] == '/' ? std::string(config) : HomeFolder() + "/.config";
    return folder + "/Corvane/Tracklore.reg";
}

bool LoadPrefs(TPrefs& prefs, const std::string& registryFile) {
    TRegistry registry(registryFile);
    // With no key, every read below reports a missing value.
    if (registry.OpenKey(kRegistryKey, false)) {
        // Values that never make start-up fail, read before any missing value ends the read.
        ReadRecentFiles(prefs, registry);
        ReadColumnLayouts(prefs, registry);
    }

    std::string fontName;
    if (!ReadText(registry, "ListFontName", fontName)) return false;
    if (!fontName.empty()) prefs.ListFont.Name = fontName;
    if (!ReadNumber(registry, "ListFontSize", prefs.ListFont.Size)) return false;
    if (!ReadNumber(registry, "ListFontColor", prefs.ListFont.Color)) return false;
    uint8_t style = 0;
    if (!ReadStyle(registry, style)) return false;
    if (!ReadNumber(registry, "ListBkColor", prefs.ListBkColor)) return false;
    if (!ReadText(registry, "LastDir", prefs.LastDir)) return false;
    if (!ReadText(registry, "LastFile", prefs.LastFile)) return false;
    if (!ReadText(registry, "HomeDir", prefs.HomeDir)) return false;
    if (!ReadNumber(registry, "Xpos", prefs.Xpos)) return false;
    if (!ReadNumber(registry, "Ypos", prefs.Ypos)) return false;
    if (!ReadNumber(registry, "Xsize", prefs.Xsize)) return false;
    if (!ReadNumber(registry, "Ysize", prefs.Ysize)) return false;
    // Bits beyond the four styles mean nothing and are not carried into the font.
    prefs.ListFont.Style = style & kFontStyleBits;
    int32_t scanVBR = 0;
    if (!ReadNumber(registry, "ScanVBR", scanVBR)) return false;
    prefs.ScanVBR = scanVBR != 0;
    int32_t capacity = 0;
    switch (registry.ReadInteger("Capacity", capacity)) {
        case TRegResult::Ok:
            prefs.Capacity = std::clamp(capacity, TPrefs::kMinCapacity, TTracklore::kMaxCapacity);
            return true;
        case TRegResult::Missing: return true;
        default: return false;
    }
}

void SavePrefs(const TPrefs& prefs, const std::string& registryFile) {
    using platform::RegBinary;
    using platform::RegInteger;
    using platform::RegText;
    const auto style = static_cast<char>(prefs.ListFont.Style);
    TRegistry registry(registryFile);
    if (!registry.OpenKey(kRegistryKey, true)) throw EInOutError(registry.LastError());
    // One replacement of the file for all values: a failure leaves the previous ones whole.
    std::vector<std::pair<std::string, platform::TRegValue>> values{
        {"ListFontName", RegText(prefs.ListFont.Name)},
        {"ListFontSize", RegInteger(prefs.ListFont.Size)},
        {"ListFontColor", RegInteger(prefs.ListFont.Color)},
        {"ListFontStyle", RegBinary(std::string(1, style))},
        {"ListBkColor", RegInteger(prefs.ListBkColor)},
        {"LastDir", RegText(prefs.LastDir)},
        {"LastFile", RegText(prefs.LastFile)},
        {"HomeDir", RegText(prefs.HomeDir)},
        {"Xpos", RegInteger(prefs.Xpos)},
        {"Ypos", RegInteger(prefs.Ypos)},
        {"Xsize", RegInteger(prefs.Xsize)},
        {"Ysize", RegInteger(prefs.Ysize)},
        {"ScanVBR", RegInteger(prefs.ScanVBR ? 1 : 0)},
        {"Capacity", RegInteger(prefs.Capacity)},
    };
    for (auto& value : RecentFileValues(prefs))
        values.push_back(std::move(value));
    for (auto& value : ColumnLayoutValues(prefs))
        values.push_back(std::move(value));
    registry.WriteValues(values);
}

}  // namespace tracklore::ui
