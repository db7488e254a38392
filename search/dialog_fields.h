// Conversions shared by the search and edit dialogs: the masked ID and year fields and the
// genre combo box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/track_record.h"

namespace tracklore {

/// The number an ID field holds: trailing blanks removed, leading blanks skipped. Raises
/// EConvertError "'%s' is not a valid integer value" with the text after its trailing blanks
/// were removed (so a blanked field gives "'' is not a valid integer value").
int32_t IdFromFieldText(std::string_view text);

/// A year field's text without its trailing blanks.
std::string YearFromFieldText(std::string_view text);

/// The genre combo box's entries: every genre that has a name ("(none)" included), sorted
/// as the box sorts them (the locale's order, ignoring case).
std::vector<std::string> GenreComboItems();

/// The genre byte a combo text names: the first index from 0 whose name equals the text
/// exactly (case counts), else 255. An empty text is 255, "(none)": a user who clears the
/// box means no genre, not the first of the unnamed table entries.
uint8_t GenreFromComboText(std::string_view text);

/// The record fields the search and edit dialogs both show, as their controls' texts.
struct TRecordFieldControls {
    std::string MED_ID;  ///< the ID in decimal (masked; blanks may trail)
    std::string ED_Artist;
    std::string ED_Album;
    std::string ED_Title;
    std::string MED_Year;  ///< up to four digits (masked; blanks may trail)
    std::string CB_Genre;  ///< the genre combo box's (editable) text
    std::string ED_Comment;
    std::string ED_Volume;
    std::string ED_Filename;

    /// Presets the controls from `record`: the ID in decimal, the texts, the genre's name.
    void PresetFields(const TrackRecord& record);
    /// Writes the controls into `record`, the ID first: a field without a number raises
    /// EConvertError before anything is written. Texts go as typed, the year without its
    /// trailing blanks; the genre is left to the dialog, whose rules differ.
    void ReadFieldsBack(TrackRecord& record) const;
};

}  // namespace tracklore
