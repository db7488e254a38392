// Sort and Renumber of the catalogue, and the column-click sort of the two lists.
#include "core/messages.h"
#include "ui/main_window.h"
#include "ui/sort_dialog.h"

namespace tracklore::ui {

void TMainWindow::SortCommand() {
    TSortOnBox box;
    if (!box.Execute(shell_)) return;
    SetStatusText(msg::SortingEntries);
    catalogue_->SortBy(box.SortKey);
    views_.RefreshViews(RebuildList);
    SetStatusText("");
}

void TMainWindow::RenumberCommand() {
    SetStatusText(msg::SortingEntries);
    catalogue_->Renumber();
    ++catalogueGeneration_;
    // The tree and the Selected list carry identifiers too; rebuilt only partly they would
    // name the wrong records. The slots are in identifier order now, so the full rebuild's
    // sort by identifier keeps the List order.
    views_.RefreshViews(FullRebuild);
    // Every identifier changed: the file on disk no longer matches.
    modified_ = true;
    SetStatusText("");
}

void TMainWindow::ColumnClick(TViewSource list, int column) {
    // A click arrives as an event, not through Run: report its error here.
    Guarded([&] {
        TListView& view = ListOf(list);
        SetStatusText(msg::SortingEntries);
        const int key = column + 1;
        view.SortDirection = key == view.SortColumn ? -view.SortDirection : 1;
        view.SortRows(key * view.SortDirection);
        view.SortColumn = key;
        SetStatusText("");
    });
}

}  // namespace tracklore::ui
