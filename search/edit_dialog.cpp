// The "Edit entry" model: presetting from a record and reading the fields back into it.
#include "search/edit_dialog.h"

#include "core/genres.h"
#include "core/shell.h"
#include "search/dialog_fields.h"

namespace tracklore {

void TEditDialog::Preset(const TrackRecord& record) {
    if (CB_GenreItems.empty()) CB_GenreItems = GenreComboItems();
    PresetFields(record);
    presetGenre_ = record.Genre;
    presetGenreText_ = CB_Genre;
}

void TEditDialog::ReadBack(TrackRecord& record) const {
    // Everything is read into a copy first, so a bad ID leaves the caller's record whole.
    TrackRecord edited = record;
    ReadFieldsBack(edited);
    // The 107 genres without a name (254 among them, what scanning stores for an unknown
    // genre) all show an empty text; looking that text up would turn each into 255.
    edited.Genre = CB_Genre == presetGenreText_ ? presetGenre_ : GenreFromComboText(CB_Genre);
    record = edited;
}

bool TEditDialog::Execute(ui::TShell& shell, TrackRecord& record) {
    Preset(record);
    if (!shell.ExecuteEditDialog(*this)) return false;
    ReadBack(record);
    return true;
}

}  // namespace tracklore
