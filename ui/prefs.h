// The preferences of the main window (view font and colour, folders, window placement, the
// scanning option), kept between runs in the registry store.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "platform/registry.h"

namespace tracklore::ui {

using platform::kRegistryKey;

/// Colours: 0x00BBGGRR, or 0x80000000 plus a system colour index.
inline constexpr int32_t kClWindow = static_cast<int32_t>(0x80000005);      // window background
inline constexpr int32_t kClWindowText = static_cast<int32_t>(0x80000008);  // window text

/// Font style bits.
inline constexpr uint8_t kFontBold = 0x01;
inline constexpr uint8_t kFontItalic = 0x02;
inline constexpr uint8_t kFontUnderline = 0x04;
inline constexpr uint8_t kFontStrikeOut = 0x08;

/// A font object: face name, size in points, colour, style bits.
struct TFontDesc {
    std::string Name = "MS Sans Serif";
    int32_t Size = 8;
    int32_t Color = kClWindowText;
    uint8_t Style = 0;
    bool operator==(const TFontDesc&) const = default;
};

/// Every preference with its default.
struct TPrefs {
    TPrefs();  // HomeDir: the program's folder with a trailing separator
    TFontDesc ListFont;
    int32_t ListBkColor = kClWindow;
    std::string LastFile;
    std::string LastDir = ".";
    std::string HomeDir;
    int32_t Xpos = 20;
    int32_t Ypos = 20;
    int32_t Xsize = 600;
    int32_t Ysize = 400;
    bool ScanVBR = false;
    /// How many records the catalogue holds, kMinCapacity to TTracklore::kMaxCapacity.
    int32_t Capacity = kMinCapacity;
    static constexpr int32_t kMinCapacity = TTracklore::kSlotCount;
    // Kept beside the values above (ui/recent_files.h): newest first, absolute paths.
    std::vector<std::string> RecentFiles;
    bool OpenLastAtStart = true;
    // The lists' column order and widths (ui/column_layout.h); empty: the default layout.
    std::string AllListColumns;
    std::string SelectedListColumns;
};

/// The registry store of the current user: $TRACKLORE_REGISTRY when set, else
/// $XDG_CONFIG_HOME/Corvane/Tracklore.reg (XDG_CONFIG_HOME defaulting to ~/.config).
std::string DefaultRegistryFile();

/// Reads the values in their fixed order, applying each as it is read; the first value that
/// is missing or of the wrong type ends the reading and false is returned (values read
/// before it stay applied, the rest keep their defaults). The capacity, added later, may be
/// missing (stores of earlier versions); it is brought into its range. The recent files and
/// the column layouts are read first, from the same reading of the store, and never fail.
bool LoadPrefs(TPrefs& prefs, const std::string& registryFile);

/// Writes every value, creating the store and key when missing, in one replacement of the
/// store file. Raises on failure; no value is changed then.
void SavePrefs(const TPrefs& prefs, const std::string& registryFile);

}  // namespace tracklore::ui
