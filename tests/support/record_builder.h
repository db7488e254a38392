// Test helper: a catalogue record written with named fields, e.g.
// MakeRecord({.ID = 4, .Artist = "Abba", .PlayLength = 185}); fields left out keep the
// values of a new TrackRecord.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>

#include "core/track_record.h"

namespace tracklore::test {

/// The fields of a TrackRecord in its own order (designated initialisers must keep it).
struct RecordFields {
    int32_t ID{};
    std::string Volume{};
    std::string Filename{};
    std::string Artist{};
    std::string Title{};
    std::string Album{};
    std::string Comment{};
    std::string Year{};
    uint16_t PlayLength{};
    uint8_t Genre{};
    uint16_t SampleRate{};
    uint16_t BitRate{};
    uint32_t FileSize{};
    double FileDate{};
};

inline TrackRecord MakeRecord(const RecordFields& fields) {
    return TrackRecord{fields.ID,         fields.Volume,  fields.Filename,   fields.Artist,
                       fields.Title,      fields.Album,   fields.Comment,    fields.Year,
                       fields.PlayLength, fields.Genre,   fields.SampleRate, fields.BitRate,
                       fields.FileSize,   fields.FileDate};
}

// The short forms below are templates so that a braced list of named fields always means
// RecordFields, whatever text or number types could also take it.

/// A record with the given artist and title; the rest stays empty.
template <std::convertible_to<std::string> Text>
TrackRecord MakeRecord(const Text& artist, const std::string& title = "") {
    return MakeRecord({.Artist = artist, .Title = title});
}

/// A record with the given identifier, artist and title; the rest stays empty.
template <std::integral Id>
TrackRecord MakeRecord(Id id, const std::string& artist = "", const std::string& title = "") {
    return MakeRecord({.ID = static_cast<int32_t>(id), .Artist = artist, .Title = title});
}

}  // namespace tracklore::test
