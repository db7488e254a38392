// The "Sort on..." model: its entries and the sort key chosen.
#include "ui/sort_dialog.h"

#include <array>

#include "core/shell.h"

namespace tracklore::ui {

std::span<const TSortEntry> SortEntries() {
    static constexpr std::array<TSortEntry, 9> kEntries{{
        {"Album", TrackField::Album},
        {"Artist", TrackField::Artist},
        {"Comment", TrackField::Comment},
        {"Filename", TrackField::Filename},
        {"Genre", TrackField::Genre},
        {"ID", TrackField::ID},
        {"Playtime", TrackField::PlayLength},
        {"Title", TrackField::Title},
        {"Volume", TrackField::Volume},
    }};
    return kEntries;
}

bool TSortOnBox::Execute(TShell& shell) {
    CB_Sortmode = 0;
    if (!shell.ExecuteSortDialog(*this)) return false;
    const auto entries = SortEntries();
    // The list only offers its entries; anything else means nothing was picked.
    if (CB_Sortmode < 0 || CB_Sortmode >= static_cast<int>(entries.size())) return false;
    SortKey = entries[CB_Sortmode].Key;
    return true;
}

}  // namespace tracklore::ui
