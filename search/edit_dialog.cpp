#include "search/edit_dialog.h"

#include "media/genres.h"
#include "search/dialog_fields.h"
#include "ui/shell.h"

namespace tracklore {

void TEditDialog::Preset(const TrackRecord& record) {
    if (CB_GenreItems.empty()) CB_GenreItems = GenreComboItems();
    MED_ID = std::to_string(record.ID);
    ED_Artist = record.Artist.str();
    ED_Album = record.Album.str();
    ED_Title = record.Title.str();
    MED_Year = record.Year.str();
    CB_Genre = GenreNames[record.Genre];
    ED_Comment = record.Comment.str();
    ED_Volume = record.Volume.str();
    ED_Filename = record.Filename.str();
    presetGenre_ = record.Genre;
    presetGenreText_ = CB_Genre;
}

void TEditDialog::ReadBack(TrackRecord& record) const {
    // Everything is read into a copy first, so a bad ID leaves the caller's record whole.
    TrackRecord edited = record;
    edited.ID = IdFromFieldText(MED_ID);
    edited.Artist = ED_Artist;
    edited.Album = ED_Album;
    edited.Title = ED_Title;
    edited.Comment = ED_Comment;
    edited.Volume = ED_Volume;
    edited.Filename = ED_Filename;
    edited.Year = YearFromFieldText(MED_Year);
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
