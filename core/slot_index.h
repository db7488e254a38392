// The index beside a catalogue's slot table: for each identifier the lowest slot holding it,
// and the further slots of identifiers that occur more than once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tracklore {

struct TrackRecord;

class SlotIndex {
public:
    /// Forgets every entry and prepares room for about `expected` identifiers.
    void Clear(size_t expected = 0);
    /// The lowest slot holding `id`, or -1.
    int Find(int32_t id) const;
    /// The record in the lowest slot holding `id`, or nullptr: one memory access fewer than
    /// going through the slot table.
    TrackRecord* FindRecord(int32_t id) const;
    /// The further slots holding `id`, highest first (nullptr when it occurs once or never).
    const std::vector<int>* Repeats(int32_t id) const;
    /// Records that `slot` now holds `record`, whose identifier is `id`.
    void Add(int32_t id, int slot, TrackRecord* record);
    /// Records that `slot`, which held `id`, no longer does. `slots` is the slot table, for
    /// the record of the slot that becomes the lowest one holding `id`.
    void Remove(int32_t id, int slot, TrackRecord* const* slots);

private:
    struct Entry {
        int32_t id = 0;
        int32_t slot = -1;              // -1: an empty entry
        TrackRecord* record = nullptr;  // the record in `slot`
    };
    size_t Home(int32_t id) const;
    const Entry* Lookup(int32_t id) const;
    void Grow();

    // Open addressing with linear probing; the table is a power of two at most half full.
    std::vector<Entry> entries_;
    size_t used_ = 0;
    int shift_ = 64;
    // Rare: identifiers stored in more than one slot, the slots past the lowest one.
    std::unordered_map<int32_t, std::vector<int>> repeats_;
};

}  // namespace tracklore
