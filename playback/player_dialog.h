// The "Configure External Player" dialog (TExtPlayer's form) as a model: plug-in rows,
// drive rows with check marks, and the temporary storage fields.
#pragma once

#include <string>
#include <vector>

#include "platform/drives.h"

namespace tracklore::playback {

/// Slider range and tick spacing of TB_TempLimit, in MB.
inline constexpr int kTempLimitMin = 10;
inline constexpr int kTempLimitMax = 100;
inline constexpr int kTempLimitTick = 10;

/// One row of L_Plugins: the library's file name and its display name.
struct TPluginRow {
    std::string Name;
    std::string Description;
    /// The path to load when this row is picked: "" for a plug-in of the program's own
    /// folders (bound by its bare name), the file's path for one found elsewhere.
    std::string Path{};
    bool operator==(const TPluginRow&) const = default;
};

/// One row of CL_Drives: caption "c:", the type text, the check mark, and the drive's
/// folder and volume label, which tell the drives apart.
struct TDriveRow {
    std::string Caption;
    std::string Type;
    bool Checked = false;
    std::string Folder{};
    std::string Label{};
    bool operator==(const TDriveRow&) const = default;
};

struct TExtPlayerDialog {
    /// Rows sorted by name; `L_PluginsSelected` is the selected row, -1 for none.
    std::vector<TPluginRow> L_Plugins;
    int L_PluginsSelected = -1;
    /// Rows sorted by drive.
    std::vector<TDriveRow> CL_Drives;
    std::string E_TempDir;
    /// The slider's position (always kept within its range).
    int TB_TempLimit = 50;
    bool CK_DelOnPlay = false;

    /// Adds a plug-in row keeping the rows sorted by name (ignoring ASCII case); returns
    /// its index. The selection follows the row it was on.
    int AddPlugin(TPluginRow row);
    /// Moves the slider, clamped to its range (as the control does).
    void SetTempLimit(int position);
    /// L_Limit: the slider position followed by " MB".
    std::string L_Limit() const;
    /// What OK binds: the selected row's name (or its path, for a plug-in found outside the
    /// program's folders), or "" when none is selected.
    std::string SelectedPlugin() const;
};

/// The type text shown for a drive type ("(cdrom)"), "" for types without one.
std::string DriveTypeText(platform::DriveType type);

}  // namespace tracklore::playback
