// The volumes model: one row per label with its totals, the online state from a drive
// table, the row order and the texts shown.
#include "ui/volumes.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/temp_dir.h"

namespace tracklore::ui {
namespace {

struct Track {
    const char* volume;
    uint32_t size;
    uint16_t length;
    double date;
};

std::unique_ptr<TTracklore> Catalogue(const std::vector<Track>& tracks) {
    auto catalogue = std::make_unique<TTracklore>();
    for (const Track& track : tracks) {
        TrackRecord record;
        record.Volume = track.volume;
        record.FileSize = track.size;
        record.PlayLength = track.length;
        record.FileDate = track.date;
        catalogue->Insert(record);
    }
    return catalogue;
}

platform::DriveEntry Drive(char letter, const std::string& root, const std::string& label) {
    platform::DriveEntry entry;
    entry.Letter = letter;
    entry.Root = root;
    entry.Label = label;
    return entry;
}

TEST(Volumes, OneRowPerLabelWithItsTotals) {
    const auto catalogue = Catalogue({{"MUSIC_1", 4000000000u, 60000, 45322.5},
                                      {"CD", 100, 10, 36000.0},
                                      {"MUSIC_1", 4000000000u, 60000, 45000.0},
                                      {"", 7, 1, 0},
                                      {"music_1", 1, 1, std::nan("")}});
    const std::vector<TVolumeRow> rows = BuildVolumeRows(*catalogue, {});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Volume, "");
    EXPECT_EQ(rows[1].Volume, "CD");
    EXPECT_EQ(rows[2].Volume, "MUSIC_1");  // labels differing in case are separate volumes
    EXPECT_EQ(rows[3].Volume, "music_1");
    EXPECT_EQ(rows[2].Records, 2);
    EXPECT_EQ(rows[2].TotalSize, 8000000000u);  // beyond 32 bits
    EXPECT_EQ(rows[2].TotalPlayTime, 120000u);  // beyond 16 bits
    EXPECT_EQ(rows[2].NewestFileDate, 45322.5);
    EXPECT_EQ(rows[3].NewestFileDate, 0);  // a NaN date is passed over
    EXPECT_FALSE(rows[1].Online);
}

TEST(Volumes, OnlineWhenADriveCarriesTheLabelLowestLetterFirst) {
    const auto catalogue = Catalogue({{"CD", 1, 1, 1}, {"ARCHIVE", 1, 1, 1}, {"", 1, 1, 1}});
    const std::vector<TVolumeRow> rows =
        BuildVolumeRows(*catalogue, {Drive('e', "/srv/a", "ARCHIVE"), Drive('d', "/media/cd", "CD"),
                                     Drive('c', "/srv/b", "ARCHIVE"), Drive('f', "/mnt/x", "cd")});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].Online);  // no drive in the list has an empty label
    EXPECT_TRUE(rows[1].Online);
    EXPECT_EQ(rows[1].Drive, 'c');
    EXPECT_EQ(rows[1].MountPoint, "/srv/b");
    EXPECT_EQ(rows[2].MountPoint, "/media/cd");
}

TEST(Volumes, OnlyDrivesWithAMediumCount) {
    test::TTempDir dir;
    const std::vector<platform::DriveEntry> table = {Drive('d', dir.Root(), "CD"),
                                                     Drive('e', dir.Path("gone"), "")};
    const std::vector<platform::DriveEntry> drives = DrivesWithMedium(table);
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].Letter, 'd');
    // A record without a label is not "on" the empty drive e.
    const auto catalogue = Catalogue({{"", 1, 1, 1}});
    EXPECT_FALSE(BuildVolumeRows(*catalogue, drives)[0].Online);
}

TEST(Volumes, RowTextsAndDates) {
    TVolumeRow row;
    row.Volume = "CD";
    row.Records = 3;
    row.TotalSize = 3 * 1048576 + 104858;
    row.TotalPlayTime = 3725;
    row.NewestFileDate = 45322.75;
    EXPECT_EQ(VolumeRowTexts(row),
              (std::array<std::string, kVolumeColumnCount>{"CD", "3", "3.1 MB", "1h 2m 5s",
                                                           "2024-01-31 18:00", "no", ""}));
    row.Online = true;
    row.Drive = 'd';
    row.MountPoint = "/media/cd";
    EXPECT_EQ(VolumeRowTexts(row)[6], "d: /media/cd");
    EXPECT_EQ(FileDateText(0), "");
    EXPECT_EQ(FileDateText(std::nan("")), "");
    EXPECT_EQ(FileDateText(1e300), "");
    EXPECT_EQ(FileDateText(36000.9999999), "1998-07-25 00:00");  // rounds to the minute
    EXPECT_EQ(FileDateText(-0.25), "1899-12-29 18:00");
}

}  // namespace
}  // namespace tracklore::ui
