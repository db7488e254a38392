// The main window's Add, Edit and Delete commands on single records.
#include "core/catalogue.h"
#include "search/edit_dialog.h"
#include "ui/main_window.h"

namespace tracklore::ui {

namespace {

// The first record of `set` for which `match` holds, or nullptr; stops after the last record.
template <class Match>
const TrackRecord* FindInSlots(const TTracklore& set, Match match) {
    for (int slot = 0, seen = 0; seen < set.Count() && slot < set.SlotEnd(); ++slot) {
        const TrackRecord* record = set.SlotRecord(slot);
        if (record == nullptr) continue;
        if (match(record)) return record;
        ++seen;
    }
    return nullptr;
}

// Takes out of `set` the record that deleting `id` from `catalogue` will release; a record
// the set does not hold is skipped. A loaded file may repeat an identifier, and after a sort
// the set's first record with it need not be the catalogue's: the set's twins ahead of it
// then leave the set as well (they stay in the catalogue), so that the set never refers to a
// released record.
void DropFromSet(TTracklore& set, const TTracklore& catalogue, const TrackRecord& id) {
    const TrackRecord* released =
        FindInSlots(catalogue, [&](const TrackRecord* record) { return record->ID == id.ID; });
    if (released == nullptr) return;  // the catalogue's Delete reports it
    auto refersToIt = [&] {
        return FindInSlots(set, [&](const TrackRecord* record) { return record == released; });
    };
    while (refersToIt() != nullptr)
        set.Delete(id);
}

}  // namespace

void TMainWindow::DropFromSelected(const TrackRecord& id) {
    if (selectedSet_) DropFromSet(*selectedSet_, *catalogue_, id);
}

void TMainWindow::AddItem() {
    // An empty record: every number 0, so the dialog opens on genre 0, the first of the table.
    TrackRecord record;
    // A full catalogue raises here, before any dialog shows.
    catalogue_->Insert(record);
    bool accepted = false;
    try {
        TEditDialog dialog;
        accepted = dialog.Execute(shell_, record);
        if (accepted) catalogue_->Update(record);
    } catch (...) {
        // The record is in no view yet: a failure must not leave it behind in the catalogue.
        catalogue_->Delete(record);
        throw;
    }
    if (!accepted) {
        // Its ID stays used up, so the next new item gets the following one.
        catalogue_->Delete(record);
        return;
    }
    modified_ = true;
    views_.RefreshViews(InsertRecord, &record);
}

void TMainWindow::EditItem(TViewSource source) {
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    // Several rows, none, or an artist or album node of the tree: nothing to edit.
    if (ids.size() != 1 || ids.front() < 0) return;
    TrackRecord record;
    catalogue_->GetByID(ids.front(), record);
    TEditDialog dialog;
    if (!dialog.Execute(shell_, record)) return;
    // The selected set refers to the catalogue's records, so it sees the change as well.
    catalogue_->Update(record);
    views_.RefreshViews(UpdateRecord, &record);
    modified_ = true;
}

void TMainWindow::DelItem(TViewSource source) {
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    if (ids.empty()) return;
    bool deletedAny = false;
    try {
        for (const int32_t id : ids) {
            TrackRecord record;
            record.ID = id;
            // The record leaves the selected set before the catalogue releases it.
            DropFromSelected(record);
            catalogue_->Delete(record);
            deletedAny = true;
            views_.RefreshViews(RemoveRecord, &record);
        }
    } catch (...) {
        // Records deleted before the failure are gone: the catalogue has changed.
        if (deletedAny) modified_ = true;
        throw;
    }
    modified_ = true;
}

}  // namespace tracklore::ui
