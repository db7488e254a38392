#include "core/catalogue.h"

#include <limits>

#include "core/format.h"
#include "core/strings.h"

namespace tracklore {

TTracklore::TTracklore(void* owner)
    : isResultSet_(false), owner_(owner), slots_(new TrackRecord*[kSlotCount]()) {}

TTracklore::TTracklore(ResultSetTag, TTracklore& parent)
    : isResultSet_(true), parent_(&parent), slots_(new TrackRecord*[kSlotCount]()) {}

std::unique_ptr<TTracklore> TTracklore::CreateResultSet(TTracklore& parent) {
    return std::unique_ptr<TTracklore>(new TTracklore(ResultSetTag{}, parent));
}

TTracklore::~TTracklore() {
    if (isResultSet_) return;
    for (int slot = 0; slot < kSlotCount; ++slot)
        delete slots_[slot];
}

const TrackRecord* TTracklore::SlotRecord(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return slots_[slot];
}

void TTracklore::RaiseScan(const std::string& path) {
    if (onScan_.callback) onScan_.callback(onScan_.context, *this, path);
}

void TTracklore::ThrowIfResultSet(const char* operation) const {
    if (isResultSet_) throw EDBInvalidOp(Format(msg::InvalidOpForResultSet, operation));
}

int TTracklore::FindSlot(int32_t id) const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slots_[slot] && slots_[slot]->ID == id) return slot;
    }
    return -1;
}

int TTracklore::FreeSlot() const {
    for (int slot = firstFree_; slot < kSlotCount; ++slot) {
        if (!slots_[slot]) return slot;
    }
    return -1;
}

void TTracklore::Place(int slot, TrackRecord* record) {
    slots_[slot] = record;
    ++count_;
    firstFree_ = slot + 1;  // `slot` was the lowest empty one
}

void TTracklore::ResetDB() {
    ThrowIfResultSet("ResetDB");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        delete slots_[slot];
        slots_[slot] = nullptr;
    }
    count_ = 0;
    firstFree_ = 0;
    lastID_ = 0;
}

void TTracklore::Insert(TrackRecord& record) {
    const int slot = FreeSlot();
    if (slot < 0) throw EDBError(msg::TooManyElements);
    if (isResultSet_) {
        const int parentSlot = parent_->FindSlot(record.ID);
        if (parentSlot < 0) throw EDBError(msg::RecordNotFound);
        Place(slot, parent_->slots_[parentSlot]);
        return;
    }
    // Past the largest identifier the next one would wrap to a negative number, which no
    // lookup accepts; the table counts as full until the catalogue is renumbered.
    if (lastID_ == std::numeric_limits<int32_t>::max()) throw EDBError(msg::TooManyElements);
    auto stored = std::make_unique<TrackRecord>(record);
    stored->ID = lastID_ + 1;
    Place(slot, stored.release());
    ++lastID_;
    record.ID = lastID_;
}

void TTracklore::InsertAsStored(const TrackRecord& record) {
    ThrowIfResultSet("load");
    const int slot = FreeSlot();
    if (slot < 0) throw EDBError(msg::TooManyElements);
    Place(slot, new TrackRecord(record));
    if (record.ID > lastID_) lastID_ = record.ID;
}

void TTracklore::Delete(const TrackRecord& record) {
    const int slot = FindSlot(record.ID);
    if (slot < 0) throw EDBError(msg::RecordNotFound);
    if (!isResultSet_) delete slots_[slot];
    slots_[slot] = nullptr;
    --count_;
    if (slot < firstFree_) firstFree_ = slot;
}

void TTracklore::Update(const TrackRecord& record) {
    ThrowIfResultSet("update");
    const int first = FindSlot(record.ID);
    if (first < 0) throw EDBError(msg::RecordNotFound);
    // `record` may be one of the stored records itself: copy it before overwriting any.
    const TrackRecord value = record;
    for (int slot = first; slot < kSlotCount; ++slot) {
        if (slots_[slot] && slots_[slot]->ID == value.ID) *slots_[slot] = value;
    }
}

void TTracklore::GetByID(int32_t id, TrackRecord& record) const {
    if (id < 0) throw EDBError(msg::InvalidID);
    record = TrackRecord();
    const int slot = FindSlot(id);
    if (slot < 0) throw EDBError(msg::RecordNotFound);
    record = *slots_[slot];
}

void TTracklore::First(TrackRecord& record) {
    cursor_ = 0;
    Next(record);
}

void TTracklore::Next(TrackRecord& record) {
    while (cursor_ < kSlotCount && !slots_[cursor_])
        ++cursor_;
    if (cursor_ < kSlotCount) {
        record = *slots_[cursor_];
        ++cursor_;
    } else {
        record.ID = kEndID;
        cursor_ = kSlotCount;  // stays at the end however often Next is called
    }
}

}  // namespace tracklore
