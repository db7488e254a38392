// The catalogue's slot table: insert, delete, update, lookups by identifier and iteration.
#include "core/catalogue.h"

#include <algorithm>
#include <limits>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore {

namespace {

int ClampedCapacity(int capacity) {
    return std::clamp(capacity, 1, TTracklore::kMaxCapacity);
}

}  // namespace

TTracklore::TTracklore(void* owner, int capacity)
    : isResultSet_(false),
      owner_(owner),
      capacity_(ClampedCapacity(capacity)),
      wantedCapacity_(capacity_) {}

TTracklore::TTracklore(ResultSetTag, TTracklore& parent)
    : isResultSet_(true),
      parent_(&parent),
      capacity_(parent.capacity_),
      wantedCapacity_(parent.capacity_) {}

std::unique_ptr<TTracklore> TTracklore::CreateResultSet(TTracklore& parent) {
    return std::unique_ptr<TTracklore>(new TTracklore(ResultSetTag{}, parent));
}

TTracklore::~TTracklore() {
    if (isResultSet_) return;
    for (TrackRecord* record : slots_)
        delete record;
}

const TrackRecord* TTracklore::SlotRecord(int slot) const {
    if (slot < 0 || slot >= SlotEnd()) return nullptr;
    return slots_[slot];
}

void TTracklore::SetCapacity(int capacity) {
    wantedCapacity_ = ClampedCapacity(capacity);
    ApplyCapacity();
}

void TTracklore::ApplyCapacity() {
    capacity_ = std::max(wantedCapacity_, SlotEnd());
}

void TTracklore::RaiseScan(const std::string& path) {
    if (onScan_.callback) onScan_.callback(onScan_.context, *this, path);
}

void TTracklore::ThrowIfResultSet(const char* operation) const {
    if (isResultSet_) throw EDBInvalidOp(Format(msg::InvalidOpForResultSet, operation));
}

const SlotIndex& TTracklore::Index() const {
    const TTracklore* root = this;
    while (root->parent_)
        root = root->parent_;
    if (!indexed_ || indexedEpoch_ != root->idEpoch_) {
        index_.Clear(static_cast<size_t>(count_));
        for (int slot = 0; slot < SlotEnd(); ++slot) {
            if (slots_[slot]) index_.Add(slots_[slot]->ID, slot, slots_[slot]);
        }
        indexed_ = true;
        indexedEpoch_ = root->idEpoch_;
    }
    return index_;
}

int TTracklore::FindSlot(int32_t id) const {
    return Index().Find(id);
}

const TrackRecord* TTracklore::FindRecord(int32_t id) const {
    return Index().FindRecord(id);
}

int TTracklore::FreeSlot() const {
    if (!holes_.empty()) return holes_.top();
    return SlotEnd() < capacity_ ? SlotEnd() : -1;
}

void TTracklore::Place(int slot, TrackRecord* record) {
    // `slot` is the lowest empty one: the top hole, or the extent when there is no hole.
    if (slot == SlotEnd()) {
        slots_.push_back(record);
    } else {
        slots_[slot] = record;
        holes_.pop();
    }
    ++count_;
    if (indexed_) index_.Add(record->ID, slot, record);
}

void TTracklore::ThrowFull() const {
    if (capacity_ >= kMaxCapacity) throw EDBError(msg::TooManyElements);
    throw EDBError(std::string(msg::TooManyElements) + "\n" + msg::RaiseCapacity);
}

void TTracklore::SlotsRearranged() {
    holes_ = {};
    for (int slot = 0; slot < SlotEnd(); ++slot) {
        if (!slots_[slot]) holes_.push(slot);
    }
    indexed_ = false;
}

void TTracklore::ResetDB() {
    ThrowIfResultSet("ResetDB");
    for (TrackRecord*& record : slots_) {
        delete record;
        record = nullptr;
    }
    slots_.clear();
    slots_.shrink_to_fit();
    holes_ = {};
    index_.Clear();
    indexed_ = false;
    count_ = 0;
    lastID_ = 0;
    ApplyCapacity();
}

void TTracklore::Insert(TrackRecord& record) {
    const int slot = FreeSlot();
    if (slot < 0) ThrowFull();
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
    if (slot < 0) ThrowFull();
    Place(slot, new TrackRecord(record));
    if (record.ID > lastID_) lastID_ = record.ID;
}

void TTracklore::StoreLoaded(const TrackRecord& record, int64_t read, const RecordFilter& keep) {
    if (!keep) {
        InsertAsStored(record);
        return;
    }
    // A whole load would have been refused at this record.
    if (read >= capacity_) ThrowFull();
    if (keep(record)) InsertAsStored(record);
}

void TTracklore::Delete(const TrackRecord& record) {
    const int slot = FindSlot(record.ID);
    if (slot < 0) throw EDBError(msg::RecordNotFound);
    index_.Remove(record.ID, slot, slots_.data());
    VacateSlot(slot);
}

void TTracklore::VacateSlot(int slot) {
    if (!isResultSet_) delete slots_[slot];
    slots_[slot] = nullptr;
    --count_;
    holes_.push(slot);
}

void TTracklore::Update(const TrackRecord& record) {
    ThrowIfResultSet("update");
    const int first = FindSlot(record.ID);
    if (first < 0) throw EDBError(msg::RecordNotFound);
    // `record` may be one of the stored records itself: copy it before overwriting any.
    const TrackRecord value = record;
    if (const std::vector<int>* repeats = index_.Repeats(value.ID)) {
        for (int slot : *repeats)
            *slots_[slot] = value;
    }
    *slots_[first] = value;
}

void TTracklore::GetByID(int32_t id, TrackRecord& record) const {
    if (id < 0) throw EDBError(msg::InvalidID);
    record = TrackRecord();
    const TrackRecord* found = FindRecord(id);
    if (found == nullptr) throw EDBError(msg::RecordNotFound);
    const TrackRecord& stored = *found;
    for (const SharedText* text : {&stored.Volume, &stored.Filename, &stored.Artist, &stored.Title,
                                   &stored.Album, &stored.Comment, &stored.Year})
        text->Prefetch();
    record = stored;
}

void TTracklore::First(TrackRecord& record) {
    cursor_ = 0;
    Next(record);
}

void TTracklore::Next(TrackRecord& record) {
    const int end = SlotEnd();
    while (cursor_ < end && !slots_[cursor_])
        ++cursor_;
    if (cursor_ < end) {
        record = *slots_[cursor_];
        ++cursor_;
    } else {
        record.ID = kEndID;
        cursor_ = capacity_;  // stays at the end however often Next is called
    }
}

}  // namespace tracklore
