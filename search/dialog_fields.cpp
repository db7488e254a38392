// The masked ID and year fields and the genre list shared by the search and edit dialogs.
#include "search/dialog_fields.h"

#include <algorithm>

#include "core/convert.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "core/text_scan.h"
#include "platform/locale.h"

namespace tracklore {

int32_t IdFromFieldText(std::string_view text) {
    const std::string_view trimmed = TrimRight(text, " ");
    const std::string_view digits = TrimLeft(trimmed, " ");
    try {
        return StrToInt(digits);
    } catch (const EConvertError&) {
        // The message names the field's text as read, leading blanks and all.
        throw EConvertError(Format(msg::InvalidInteger, std::string(trimmed).c_str()));
    }
}

std::string YearFromFieldText(std::string_view text) {
    return std::string(TrimRight(text, " "));
}

std::vector<std::string> GenreComboItems() {
    std::vector<std::string> items;
    for (const std::string& name : GenreNames) {
        if (!name.empty()) items.push_back(name);
    }
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
        return locale::CompareIgnoreCase(a, b) < 0;
    });
    return items;
}

uint8_t GenreFromComboText(std::string_view text) {
    if (text.empty()) return 255;
    for (size_t index = 0; index < GenreNames.size(); ++index) {
        if (GenreNames[index] == text) return static_cast<uint8_t>(index);
    }
    return 255;
}

void TRecordFieldControls::PresetFields(const TrackRecord& record) {
    MED_ID = std::to_string(record.ID);
    ED_Artist = record.Artist.str();
    ED_Album = record.Album.str();
    ED_Title = record.Title.str();
    MED_Year = record.Year.str();
    CB_Genre = GenreNames[record.Genre];
    ED_Comment = record.Comment.str();
    ED_Volume = record.Volume.str();
    ED_Filename = record.Filename.str();
}

void TRecordFieldControls::ReadFieldsBack(TrackRecord& record) const {
    const int32_t id = IdFromFieldText(MED_ID);
    record.ID = id;
    record.Artist = ED_Artist;
    record.Album = ED_Album;
    record.Title = ED_Title;
    record.Comment = ED_Comment;
    record.Volume = ED_Volume;
    record.Filename = ED_Filename;
    record.Year = YearFromFieldText(MED_Year);
}

}  // namespace tracklore
