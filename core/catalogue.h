// The catalogue: a table of record slots, 32,769 unless another capacity is chosen. An owning
// catalogue owns its records; a result set is the same class over references to a parent's
// records.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <string>
#include <variant>
#include <vector>

#include "core/db_errors.h"
#include "core/slot_index.h"
#include "core/track_record.h"

namespace tracklore {

class TTracklore;

/// Notification raised by the folder scan before each file: the catalogue and the file path.
struct ScanEvent {
    void (*callback)(void* context, TTracklore& catalogue, const std::string& path) = nullptr;
    void* context = nullptr;
};

/// The value of a field selection: converted to the field's kind before comparing.
using FieldValue = std::variant<int64_t, std::string, double>;

/// A record test for SelectWhere, called with the caller's context and each record.
using RecordPredicate = bool (*)(void* context, const TrackRecord& record);

/// Told how far a file load has come, in percent: called each time the figure grows, at
/// most once per percent, and with 100 once the load succeeded.
using LoadProgress = std::function<void(int percent)>;
/// Picks the records a load keeps (true: kept).
using RecordFilter = std::function<bool(const TrackRecord& record)>;

/// Compares two records by a field code: 0 signed, 1 to 7 texts by the locale ignoring case,
/// 8 and 9 unsigned; every other code compares equal. Negative, zero or positive.
int CompareByKey(const TrackRecord& a, const TrackRecord& b, TrackField key);

class TTracklore {
public:
    /// The capacity of a catalogue nobody chose one for.
    static constexpr int kSlotCount = 32769;
    /// The largest capacity that may be chosen.
    static constexpr int kMaxCapacity = 1048576;

    /// An empty owning catalogue of `capacity` slots (clamped to 1 to kMaxCapacity); `owner` is
    /// stored for its holder and never used here.
    explicit TTracklore(void* owner = nullptr, int capacity = kSlotCount);
    /// An empty result set over `parent`'s records; the parent must outlive it.
    static std::unique_ptr<TTracklore> CreateResultSet(TTracklore& parent);
    /// An owning catalogue releases every record; a result set only its table.
    ~TTracklore();

    TTracklore(const TTracklore&) = delete;
    TTracklore& operator=(const TTracklore&) = delete;

    bool IsResultSet() const { return isResultSet_; }
    /// The opaque owner of an owning catalogue (nullptr for a result set).
    void* Owner() const { return owner_; }
    /// The parent of a result set (nullptr for an owning catalogue).
    TTracklore* Parent() const { return parent_; }
    /// The identifier handed out last; 0 in a new or emptied catalogue.
    int32_t LastID() const { return lastID_; }
    /// The next slot that iteration examines.
    int Cursor() const { return cursor_; }
    /// Number of occupied slots.
    int Count() const { return count_; }
    /// The record in `slot`, or nullptr for a hole or an index outside the table.
    const TrackRecord* SlotRecord(int slot) const;
    /// The number of slots: how many records the catalogue can hold.
    int Capacity() const { return capacity_; }
    /// Every slot at or past this one is empty: loops over the slots stop here.
    int SlotEnd() const { return static_cast<int>(slots_.size()); }
    /// Sets the number of slots (clamped to 1 to kMaxCapacity) of an owning catalogue; its
    /// result sets made later take it. The table never shrinks below its highest occupied
    /// slot; ResetDB brings it down to what was asked.
    void SetCapacity(int capacity);

    const std::string& PrintTitle() const { return printTitle_; }
    void SetPrintTitle(std::string title) { printTitle_ = std::move(title); }

    const ScanEvent& OnScan() const { return onScan_; }
    void SetOnScan(ScanEvent event) { onScan_ = event; }
    /// Calls the scan notification, if one is installed, with this catalogue and `path`.
    void RaiseScan(const std::string& path);

    /// Releases every record and sets LastID to 0. Refused on a result set.
    void ResetDB();
    /// Owning catalogue: stores a copy under the next identifier, written back into `record`.
    /// Result set: refers to the parent's record with `record.ID` (lowest slot), ID unchanged;
    /// EDBError "Requested record not found in database." when the parent holds none.
    /// Takes the lowest empty slot; when there is none, EDBError "Too Many Elements!" and a
    /// line on raising the capacity.
    void Insert(TrackRecord& record);
    /// Stores a copy keeping its identifier, in the lowest empty slot, and raises LastID to
    /// it: how loaders fill a catalogue. Refused on a result set.
    void InsertAsStored(const TrackRecord& record);
    /// Removes the lowest-slot record with `record.ID` (a result set only drops its reference).
    void Delete(const TrackRecord& record);
    /// Overwrites every stored record with `record.ID`. Refused on a result set.
    void Update(const TrackRecord& record);
    /// Copies out the lowest-slot record with `id`; `record` is emptied first. Negative
    /// identifiers are refused.
    void GetByID(int32_t id, TrackRecord& record) const;

    /// Starts iteration: the first record, or ID -1 when there is none.
    void First(TrackRecord& record);
    /// The next record after the cursor, or only `record.ID` set to -1 at the end.
    void Next(TrackRecord& record);

    /// True when `record` satisfies `pattern`: ID -1 matches all; ID 0 or equal; non-empty
    /// texts occur in the record's texts ignoring case; Genre 255 or equal.
    bool MatchesPattern(const TrackRecord& pattern, const TrackRecord& record) const;
    /// A new result set over this catalogue with every matching record, in slot order.
    std::unique_ptr<TTracklore> SelectByTemplate(const TrackRecord& pattern);
    /// A new result set with every record for which `predicate(context, record)` is true.
    std::unique_ptr<TTracklore> SelectWhere(RecordPredicate predicate, void* context);
    /// Removes every record for which `predicate(context, record)` is true (a result set only
    /// drops its references); records sharing an identifier are told apart. Returns how many.
    int DeleteWhere(RecordPredicate predicate, void* context);
    /// A new result set with every record whose field `code` matches `value`: texts contain
    /// it ignoring case (exact: equal bytes), PlayLength is below it (exact: equal), FileDate
    /// is later (exact: equal), other numbers are equal; unknown codes match nothing.
    /// EDBError when the value does not convert to the field's kind.
    std::unique_ptr<TTracklore> SelectByField(TrackField code, const FieldValue& value, bool exact);

    /// Moves the records into slots 0 to Count() - 1, filling each hole from the end.
    void Compact();
    /// Compacts, then orders the slots ascending by `key` exactly as the catalogue's
    /// partition sort (first record of each range as pivot) leaves them, equal keys included.
    void SortBy(TrackField key);
    /// Identifiers 1 to n in slot order; LastID ends at n + 2. Refused on a result set.
    void Renumber();

    // Files (core/catalogue_file.cpp, core/csv.cpp).

    /// Sorts by ID (the order stays), then writes the catalogue file `fileName`: the 64-byte
    /// header and the compressed records. The records go to a new file beside the target,
    /// which replaces the target only when everything was written and flushed; on failure
    /// the error is raised and the previous file is left as it was.
    void SaveToFile(const std::string& fileName);
    /// Replaces the contents with the records of the catalogue file `fileName`, in file
    /// order, identifiers as stored. On failure raises EDBError or a stream error and leaves
    /// the catalogue empty. Refused on a result set. `progress` (if any) follows the records
    /// read against the count the header announces (none between 0 and 100 without one).
    /// With `keep`, only the records it accepts are kept, in file order; the file is still
    /// read and checked whole, and every record in it counts against the capacity.
    void LoadFromFile(const std::string& fileName, const LoadProgress& progress = {},
                      const RecordFilter& keep = {});
    /// Writes the records in slot order as semicolon-separated text with a header line;
    /// FileDate is not written. Same replace-when-complete rule as SaveToFile.
    void ExportCSV(const std::string& fileName);
    /// Replaces the contents with the records of the CSV file `fileName`. A bad number
    /// raises EConvertError and leaves the records read before it. Refused on a result set.
    /// `keep` picks the records kept, as for LoadFromFile.
    void ImportCSV(const std::string& fileName, const RecordFilter& keep = {});
    /// Stores a record a load has read, identifier as stored, after the `read` records
    /// before it: all of them without `keep`, else only those it accepts; every record read
    /// counts against the capacity. Raises "Too Many Elements!" when the table is full.
    void StoreLoaded(const TrackRecord& record, int64_t read, const RecordFilter& keep);

private:
    struct ResultSetTag {};
    TTracklore(ResultSetTag, TTracklore& parent);

    // The index, built first when the slots changed since it was last kept up to date.
    const SlotIndex& Index() const;
    int FindSlot(int32_t id) const;                   // lowest slot holding `id`, or -1
    const TrackRecord* FindRecord(int32_t id) const;  // the record there, or nullptr
    int FreeSlot() const;                             // lowest empty slot, or -1
    void Place(int slot, TrackRecord* record);
    // Empties `slot` (deleting its record when this catalogue owns it); the index is the
    // caller's to mend.
    void VacateSlot(int slot);
    [[noreturn]] void ThrowFull() const;
    // The slots moved or identifiers changed: the index is rebuilt when next needed.
    void SlotsRearranged();
    void ApplyCapacity();
    void ThrowIfResultSet(const char* operation) const;
    // Appends a reference to a record already held by the parent: used by selections.
    void AppendReference(TrackRecord* record);
    std::unique_ptr<TTracklore> NewResultSet();

    const bool isResultSet_;
    void* const owner_ = nullptr;
    TTracklore* const parent_ = nullptr;
    // Owned records (owning catalogue) or references into the parent (result set). Its size
    // is the extent of the slots used so far; slots past it up to the capacity are empty.
    std::vector<TrackRecord*> slots_;
    int capacity_;
    int wantedCapacity_;
    // The empty slots below the extent, lowest on top.
    std::priority_queue<int, std::vector<int>, std::greater<>> holes_;
    int count_ = 0;
    // Identifier -> slots, built on the first lookup and kept up to date from then on. A
    // result set rebuilds it when the parent's identifiers were renumbered since.
    mutable SlotIndex index_;
    mutable bool indexed_ = false;
    mutable uint64_t indexedEpoch_ = 0;
    uint64_t idEpoch_ = 0;  // owning catalogue: counts the renumberings
    int32_t lastID_ = 0;
    int cursor_ = 0;
    std::string printTitle_;
    ScanEvent onScan_;
};

}  // namespace tracklore
