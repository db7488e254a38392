// The volumes of a catalogue: one row per volume label with its record count, total size,
// total play time, newest file date, and whether a drive carries that volume now.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/drives.h"

namespace tracklore {
class TTracklore;
}

namespace tracklore::ui {

/// One volume label of the catalogue.
struct TVolumeRow {
    std::string Volume;
    int Records = 0;
    uint64_t TotalSize = 0;      ///< bytes
    uint64_t TotalPlayTime = 0;  ///< seconds
    double NewestFileDate = 0;   ///< days since 1899-12-30, as records keep file dates
    bool Online = false;         ///< a drive given to BuildVolumeRows carries the label
    char Drive = 0;              ///< that drive's letter, when online
    std::string MountPoint;      ///< that drive's root folder, when online
};

/// The entries of `table` that hold a medium now: their root is an existing folder (an
/// entry without a medium has the empty label, which must not match the records that
/// have no label).
std::vector<platform::DriveEntry> DrivesWithMedium(const std::vector<platform::DriveEntry>& table);

/// The drive of `drives` that carries `volume`, the lowest letter of several; nullptr when
/// none does.
const platform::DriveEntry* DriveCarrying(const std::vector<platform::DriveEntry>& drives,
                                          std::string_view volume);

/// The rows of `set`, one per distinct volume label (labels compare byte for byte, as the
/// player matches them), ordered by label ignoring case, then byte for byte. A row is
/// online when one of `drives` has its label; the lowest such letter gives the mount
/// point. NaN file dates are passed over.
std::vector<TVolumeRow> BuildVolumeRows(const TTracklore& set,
                                        const std::vector<platform::DriveEntry>& drives);

inline constexpr int kVolumeColumnCount = 7;
/// "Volume", "Records", "Size", "Play time", "Newest file", "Online", "Mounted at".
extern const std::array<const char*, kVolumeColumnCount> kVolumeColumnCaptions;

/// The texts a row shows: the label, the count, the size in MB ("%.1f MB"), the play time
/// as File Info writes it ("%dh %dm %ds"), the newest date ("2024-01-31 18:05", empty
/// without one), "yes" or "no", and the drive with its folder ("d: /media/cd").
std::array<std::string, kVolumeColumnCount> VolumeRowTexts(const TVolumeRow& row);

/// A file date as "YYYY-MM-DD HH:MM" (local time as stored); empty for 0, NaN and dates
/// outside the years 1 to 9999.
std::string FileDateText(double fileDate);

/// Told when the rows of a TVolumesView are replaced.
class TVolumesObserver {
public:
    virtual ~TVolumesObserver() = default;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
};

/// The rows of the Volumes page, rebuilt with the other views from the catalogue and the
/// drives the source gives (none without a source).
class TVolumesView {
public:
    using TDriveSource = std::function<std::vector<platform::DriveEntry>()>;

    void SetObserver(TVolumesObserver* observer) { observer_ = observer; }
    void SetDriveSource(TDriveSource source) { driveSource_ = std::move(source); }
    /// Replaces the rows by those of `catalogue`; on failure the old rows stay.
    void Rebuild(const TTracklore& catalogue);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TVolumeRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

private:
    std::vector<TVolumeRow> rows_;
    TVolumesObserver* observer_ = nullptr;
    TDriveSource driveSource_;
};

/// What the Volumes page offers on a row.
enum class TVolumeAction { ShowRecords, Update, Remove };

}  // namespace tracklore::ui
