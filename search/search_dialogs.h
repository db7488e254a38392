// The field search dialog ("Search Dialog", TSearchDialog) and the advanced search dialog
// ("Advanced search...", TSearchDialog2) as models: their controls' state, presetting and
// reading back, and the advanced dialog's handlers.
#pragma once

namespace tracklore {

struct TSearchDialog {};

struct TSearchDialog2 {};

}  // namespace tracklore
