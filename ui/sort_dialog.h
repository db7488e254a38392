// The "Sort on..." dialog (TSortOnBox) as a model: the drop-down list of sort entries and
// the key the chosen entry selects.
#pragma once

#include <span>

#include "core/track_record.h"

namespace tracklore::ui {

class TShell;

/// One entry of CB_Sortmode and the key it selects.
struct TSortEntry {
    const char* Caption;
    TrackField Key;
};

/// The entries in their (alphabetical) list order: Album, Artist, ... Volume.
std::span<const TSortEntry> SortEntries();

struct TSortOnBox {
    int CB_Sortmode = 0;  // index into SortEntries(); the first entry when shown
    TrackField SortKey = TrackField::ID;

    /// Shows the dialog with the first entry chosen; on OK sets SortKey from the chosen
    /// entry and returns true. False on Cancel or when no valid entry is chosen.
    bool Execute(TShell& shell);
};

}  // namespace tracklore::ui
