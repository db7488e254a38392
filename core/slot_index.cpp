// The identifier index of a slot table: open addressing, with repeated identifiers aside.
#include "core/slot_index.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace tracklore {

namespace {

constexpr size_t kMinEntries = 16;

}  // namespace

void SlotIndex::Clear(size_t expected) {
    size_t size = kMinEntries;
    while (size < 2 * expected)
        size *= 2;
    entries_.assign(size, Entry{});
    shift_ = 64 - std::countr_zero(size);
    used_ = 0;
    repeats_.clear();
}

size_t SlotIndex::Home(int32_t id) const {
    // Fibonacci hashing spreads consecutive identifiers over the whole table.
    return static_cast<size_t>(
        (static_cast<uint64_t>(static_cast<uint32_t>(id)) * 0x9E3779B97F4A7C15ull) >> shift_);
}

const SlotIndex::Entry* SlotIndex::Lookup(int32_t id) const {
    if (entries_.empty()) return nullptr;
    const size_t mask = entries_.size() - 1;
    for (size_t at = Home(id);; at = (at + 1) & mask) {
        const Entry& entry = entries_[at];
        if (entry.slot < 0) return nullptr;
        if (entry.id == id) return &entry;
    }
}

int SlotIndex::Find(int32_t id) const {
    const Entry* entry = Lookup(id);
    return entry ? entry->slot : -1;
}

TrackRecord* SlotIndex::FindRecord(int32_t id) const {
    const Entry* entry = Lookup(id);
    return entry ? entry->record : nullptr;
}

const std::vector<int>* SlotIndex::Repeats(int32_t id) const {
    if (repeats_.empty()) return nullptr;
    const auto found = repeats_.find(id);
    return found == repeats_.end() ? nullptr : &found->second;
}

void SlotIndex::Grow() {
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(old.empty() ? kMinEntries : 2 * old.size(), Entry{});
    shift_ = 64 - std::countr_zero(entries_.size());
    const size_t mask = entries_.size() - 1;
    for (const Entry& entry : old) {
        if (entry.slot < 0) continue;
        size_t at = Home(entry.id);
        while (entries_[at].slot >= 0)
            at = (at + 1) & mask;
        entries_[at] = entry;
    }
}

void SlotIndex::Add(int32_t id, int slot, TrackRecord* record) {
    if (2 * (used_ + 1) > entries_.size()) Grow();
    const size_t mask = entries_.size() - 1;
    size_t at = Home(id);
    while (entries_[at].slot >= 0 && entries_[at].id != id)
        at = (at + 1) & mask;
    Entry& entry = entries_[at];
    if (entry.slot < 0) {
        entry = {id, slot, record};
        ++used_;
        return;
    }
    // A repeated identifier: the entry keeps the lowest slot, the others go to the list.
    std::vector<int>& others = repeats_[id];
    int other = slot;
    if (slot < entry.slot) {
        std::swap(other, entry.slot);
        entry.record = record;
    }
    others.insert(std::lower_bound(others.begin(), others.end(), other, std::greater<>()), other);
}

void SlotIndex::Remove(int32_t id, int slot, TrackRecord* const* slots) {
    if (entries_.empty()) return;
    const size_t mask = entries_.size() - 1;
    size_t at = Home(id);
    while (entries_[at].slot >= 0 && entries_[at].id != id)
        at = (at + 1) & mask;
    if (entries_[at].slot < 0) return;
    if (const auto repeated = repeats_.find(id); repeated != repeats_.end()) {
        std::vector<int>& others = repeated->second;
        if (entries_[at].slot == slot) {
            entries_[at].slot = others.back();
            entries_[at].record = slots[others.back()];
            others.pop_back();
        } else {
            const auto found =
                std::lower_bound(others.begin(), others.end(), slot, std::greater<>());
            if (found != others.end() && *found == slot) others.erase(found);
        }
        if (others.empty()) repeats_.erase(repeated);
        return;
    }
    if (entries_[at].slot != slot) return;
    // Backward-shift deletion keeps every probe run unbroken without tombstones.
    size_t hole = at;
    for (size_t next = (hole + 1) & mask; entries_[next].slot >= 0; next = (next + 1) & mask) {
        const size_t home = Home(entries_[next].id);
        // The entry may move into the hole when its home is not within (hole, next].
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            entries_[hole] = entries_[next];
            hole = next;
        }
    }
    entries_[hole] = Entry{};
    --used_;
}

}  // namespace tracklore
