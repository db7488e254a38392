#include "search/search_dialogs.h"

#include <exception>

#include "core/strings.h"
#include "media/genres.h"
#include "search/dialog_fields.h"
#include "search/scanner_parser.h"
#include "ui/shell.h"

namespace tracklore {

void TSearchDialog::Preset(const TrackRecord& pattern) {
    MED_ID = std::to_string(pattern.ID);
    ED_Artist = pattern.Artist.str();
    ED_Album = pattern.Album.str();
    ED_Title = pattern.Title.str();
    MED_Year = pattern.Year.str();
    CB_Genre = GenreNames[pattern.Genre];
    ED_Comment = pattern.Comment.str();
    ED_Volume = pattern.Volume.str();
    ED_Filename = pattern.Filename.str();
}

void TSearchDialog::ReadBack(TrackRecord& pattern) const {
    // The only conversion that can fail goes first, so a failure leaves the pattern whole.
    const int32_t id = IdFromFieldText(MED_ID);
    pattern.ID = id;
    pattern.Artist = ED_Artist;
    pattern.Album = ED_Album;
    pattern.Title = ED_Title;
    pattern.Comment = ED_Comment;
    pattern.Volume = ED_Volume;
    pattern.Filename = ED_Filename;
    pattern.Year = YearFromFieldText(MED_Year);
    pattern.Genre = GenreFromComboText(CB_Genre);
}

bool TSearchDialog::Execute(TrackRecord& pattern, ui::TShell& shell) {
    Preset(pattern);
    if (!shell.ExecuteSearchDialog(*this)) return false;
    ReadBack(pattern);
    return true;
}

void TSearchDialog2::DoParsing() {
    Tree.reset();
    Tree = tracklore::DoParsing(E_Expr);
}

void TSearchDialog2::B_TestClick() {
    try {
        DoParsing();
        L_Parsed = Tree->Describe(0);
    } catch (const std::exception& e) {
        Tree.reset();
        L_Parsed = e.what();
    }
}

bool TSearchDialog2::B_SearchClick(ui::TShell& shell) {
    try {
        DoParsing();
        return true;
    } catch (const std::exception& e) {
        Tree.reset();
        shell.MessageBox(e.what(), msg::ErrorParsingCaption, ui::TMsgKind::Error, ui::mbOK);
        return false;
    }
}

}  // namespace tracklore
