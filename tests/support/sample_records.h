// Test data: records with every (or nearly every) field set, for the catalogue file, the
// search expressions, the edit dialog, the result window and the expression fuzzer.
#pragma once

#include "tests/support/record_builder.h"

namespace tracklore::test {

/// Aqua, "Barbie Girl": 3:17, Rock, 3,000,000,000 bytes (beyond 31 bits), a file date in
/// 1998, and an accented comment ("Été") for collation and case.
inline TrackRecord AquaRecord() {
    return MakeRecord({.ID = 42,
                       .Volume = "MUSIC_1",
                       .Filename = "/Albums/Aqua/Barbie Girl.mp3",
                       .Artist = "Aqua",
                       .Title = "Barbie Girl",
                       .Album = "Aquarium",
                       .Comment = "Été",
                       .Year = "1997",
                       .PlayLength = 197,
                       .Genre = 17,  // Rock
                       .SampleRate = 44100,
                       .BitRate = 128,
                       .FileSize = 3000000000u,
                       .FileDate = 36000.75});
}

/// Abba, "Waterloo": Pop, 2:45, as the edit dialog shows it.
inline TrackRecord AbbaRecord() {
    return MakeRecord({.ID = 42,
                       .Volume = "MUSIC01",
                       .Filename = "/Albums/x.mp3",
                       .Artist = "Abba",
                       .Title = "Waterloo",
                       .Album = "Gold",
                       .Comment = "first",
                       .Year = "1974",
                       .PlayLength = 165,
                       .Genre = 13,  // Pop
                       .SampleRate = 44100,
                       .BitRate = 128,
                       .FileSize = 2640000,
                       .FileDate = 36525.5});
}

/// Björk, "Jóga": texts beyond ASCII (and a Turkish dotted capital I), the largest file size.
inline TrackRecord BjorkRecord() {
    return MakeRecord({.ID = 7,
                       .Volume = "MUSIC_1",
                       .Filename = "/Albums/Bj\xc3\xb6rk/J\xc3\xb3ga.mp3",
                       .Artist = "Bj\xc3\xb6rk",
                       .Title = "J\xc3\xb3ga",
                       .Album = "Homogenic",
                       .Comment = "ISTANBUL \xc4\xb0",
                       .Year = "1997",
                       .PlayLength = 305,
                       .Genre = 17,
                       .SampleRate = 44100,
                       .BitRate = 256,
                       .FileSize = 4294967295u,
                       .FileDate = 36000.5});
}

/// A record whose every field has a distinct, recognisable value, for the bytes of a stored
/// record.
inline TrackRecord FullTrack() {
    return MakeRecord({.ID = 0x01020304,
                       .Volume = "V",
                       .Filename = "/a",
                       .Artist = "Ab",
                       .Title = "T",
                       .Album = "",
                       .Comment = "C",
                       .Year = "1976",
                       .PlayLength = 0x5566,
                       .Genre = 0x0D,
                       .SampleRate = 0x1122,
                       .BitRate = 0x3344,
                       .FileSize = 0xA0B0C0D0,
                       .FileDate = 2.0});  // bits 40 00 00 00 00 00 00 00
}

/// ID 77, 62:05, Rock, and texts that name their field: "VOL", "/a.mp3", "Artist", "Title",
/// "Album", "Comment", "1992".
inline TrackRecord NamedFieldsRecord() {
    return MakeRecord({.ID = 77,
                       .Volume = "VOL",
                       .Filename = "/a.mp3",
                       .Artist = "Artist",
                       .Title = "Title",
                       .Album = "Album",
                       .Comment = "Comment",
                       .Year = "1992",
                       .PlayLength = 3725,
                       .Genre = 17});
}

}  // namespace tracklore::test
