// Test helpers: the identifiers of a catalogue or result set in slot order, holes skipped, and
// a catalogue of empty records.
#pragma once

#include <cstdint>
#include <vector>

#include "core/catalogue.h"

namespace tracklore::test {

inline std::vector<int32_t> IdsInSlotOrder(const TTracklore& catalogue) {
    std::vector<int32_t> ids;
    for (int slot = 0; slot < catalogue.SlotEnd(); ++slot) {
        if (const TrackRecord* record = catalogue.SlotRecord(slot)) ids.push_back(record->ID);
    }
    return ids;
}

/// Inserts the records as a load would, keeping their identifiers.
inline void Fill(TTracklore& catalogue, const std::vector<TrackRecord>& records) {
    for (const TrackRecord& record : records)
        catalogue.InsertAsStored(record);
}

/// Inserts `count` empty records; in a new catalogue they take identifiers 1 to `count` in
/// slots 0 to `count` - 1.
inline void InsertEmpty(TTracklore& catalogue, int count) {
    for (int i = 0; i < count; ++i) {
        TrackRecord record;
        catalogue.Insert(record);
    }
}

}  // namespace tracklore::test
