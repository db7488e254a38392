// The item edit dialog ("Edit entry", TEditDialog) as a model: its controls' state,
// presetting from a record and reading back into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/track_record.h"
#include "search/dialog_fields.h"

namespace tracklore {

namespace ui {
class TShell;
}

/// The controls of "Edit entry", named as the form names them, each holding the text it
/// shows. MED_ID is read-only. PlayLength, FileSize, BitRate, SampleRate and FileDate are not
/// shown: they pass through the dialog unchanged.
struct TEditDialog : TRecordFieldControls {
    /// The genre box's entries (GenreComboItems()), filled the first time the dialog runs.
    std::vector<std::string> CB_GenreItems;

    /// Fills the genre entries if there are none yet and presets the controls from `record`.
    void Preset(const TrackRecord& record);
    /// Writes the controls back into `record`, ID first: the ID from MED_ID (EConvertError
    /// when it is not a number, with `record` left unchanged), the texts as typed, the year
    /// without trailing blanks, the genre by its exact name (empty: 255). A genre text still
    /// as Preset showed it keeps the preset genre, so a genre without a name of its own
    /// survives an edit of the other fields.
    void ReadBack(TrackRecord& record) const;
    /// Presets from `record`, shows the dialog through `shell`; on OK reads back into
    /// `record` and returns true. On Cancel returns false and leaves `record` unchanged.
    bool Execute(ui::TShell& shell, TrackRecord& record);

private:
    uint8_t presetGenre_ = 0;
    std::string presetGenreText_;
};

}  // namespace tracklore
