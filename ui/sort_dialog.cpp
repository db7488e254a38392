#include "ui/sort_dialog.h"

#include <array>

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

}  // namespace tracklore::ui
