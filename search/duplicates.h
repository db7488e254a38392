// The duplicate finder: records of a catalogue that are probably the same song twice,
// gathered into groups. Two rules link records; the caller chooses which apply.
#pragma once

#include <cstdint>
#include <vector>

#include "core/track_record.h"

namespace tracklore {

class TTracklore;

/// Which rules link two records.
struct TDuplicateRules {
    /// Artist and title agree, ignoring case and surrounding blanks, and the play lengths
    /// differ by at most kLengthTolerance seconds. Records without an artist or a title
    /// are never linked by this rule: they say nothing about the song.
    bool SameArtistTitle = true;
    /// File size and play length are equal. Records of size 0 (made by hand) are never
    /// linked by this rule.
    bool SameSizeLength = true;

    static constexpr int kLengthTolerance = 2;
};

/// One group: two or more records, in the catalogue's slot order.
struct TDuplicateGroup {
    std::vector<TrackRecord> Records;
};

/// The groups of `set`: every record linked to another by a chosen rule, directly or
/// through others (a record linked to two groups joins them). Groups come in the slot
/// order of their first record. No rule chosen gives no groups.
std::vector<TDuplicateGroup> FindDuplicates(const TTracklore& set, const TDuplicateRules& rules);

}  // namespace tracklore
