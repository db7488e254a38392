// The item edit dialog ("Edit entry", TEditDialog) as a model: its controls' state,
// presetting from a record and reading back into it.
#pragma once

namespace tracklore {

struct TEditDialog {};

}  // namespace tracklore
