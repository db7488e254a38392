// One catalogue entry: a scanned MP3 file's volume, path, size, date, tag texts and audio
// values. A plain value: copies share their texts but never alias one another.
#pragma once

#include <cstdint>

#include "core/shared_text.h"

namespace tracklore {

/// Genre 255 is "(none)" and, in a search pattern, any genre.
inline constexpr uint8_t kGenreNone = 255;
/// Genre that scanning stores when a file's genre is missing or unknown.
inline constexpr uint8_t kGenreUnknown = 254;
/// The identifier that ends iteration and, in a pattern, matches every record.
inline constexpr int32_t kEndID = -1;

struct TrackRecord {
    int32_t ID = 0;
    SharedText Volume;    ///< label of the medium that held the file
    SharedText Filename;  ///< path below the drive's root, e.g. "\Music\a.mp3" or "/Music/a.mp3"
    SharedText Artist;
    SharedText Title;
    SharedText Album;
    SharedText Comment;
    SharedText Year;          ///< kept as text
    uint16_t PlayLength = 0;  ///< whole seconds
    uint8_t Genre = 0;        ///< index into the genre table
    uint16_t SampleRate = 0;  ///< Hz
    uint16_t BitRate = 0;     ///< kbit/s
    uint32_t FileSize = 0;    ///< bytes
    double FileDate = 0;      ///< local time, days since 1899-12-30, time of day as fraction

    friend bool operator==(const TrackRecord&, const TrackRecord&) = default;
};

/// Field codes for sorting and field selection. Other codes are legal and match or
/// compare as the operations define for "any other code".
enum class TrackField : int {
    ID = 0,
    Volume = 1,
    Filename = 2,
    Artist = 3,
    Title = 4,
    Album = 5,
    Comment = 6,
    Year = 7,
    PlayLength = 8,
    Genre = 9,
    SampleRate = 10,
    BitRate = 11,
    FileSize = 12,
    FileDate = 13,
};

/// The text field a code names (codes 1 to 7), or nullptr for every other code.
inline const SharedText* TextField(const TrackRecord& record, TrackField field) {
    switch (field) {
        case TrackField::Volume: return &record.Volume;
        case TrackField::Filename: return &record.Filename;
        case TrackField::Artist: return &record.Artist;
        case TrackField::Title: return &record.Title;
        case TrackField::Album: return &record.Album;
        case TrackField::Comment: return &record.Comment;
        case TrackField::Year: return &record.Year;
        default: return nullptr;
    }
}

}  // namespace tracklore
