// Test helper: the identifiers of a catalogue or result set in slot order, holes skipped.
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

}  // namespace tracklore::test
