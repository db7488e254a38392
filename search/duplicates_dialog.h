// The "Find duplicates" dialog as a model: which rules the duplicate finder applies.
#pragma once

#include "search/duplicates.h"

namespace tracklore {

struct TDuplicatesDialog {
    bool CKB_ArtistTitle = true;  ///< "Same artist and title, play time within 2 seconds"
    bool CKB_SizeLength = true;   ///< "Same file size and play time"

    TDuplicateRules Rules() const { return {CKB_ArtistTitle, CKB_SizeLength}; }
    /// OK needs at least one rule.
    bool CanSearch() const { return CKB_ArtistTitle || CKB_SizeLength; }
};

}  // namespace tracklore
