// Deterministic catalogues with realistic texts (artists, albums, titles, paths) for
// benchmarks: many tracks per album, many albums per artist, as a real collection has.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/track_record.h"

namespace tracklore::bench {

/// `count` records with identifiers 1 to count and texts drawn from `artists` artists.
std::vector<TrackRecord> MakeSampleRecords(int count, int artists = 2000, uint32_t seed = 1);

/// A catalogue filled to the default capacity (32,769) with sample records.
std::unique_ptr<TTracklore> MakeFullCatalogue();

/// The records laid out as the catalogue file stores them ("!MP3", ID, length-prefixed
/// texts, numbers little-endian), for compression benchmarks.
std::vector<uint8_t> SerializeLikeCatalogue(const std::vector<TrackRecord>& records);

}  // namespace tracklore::bench
