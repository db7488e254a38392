// The CSV export's text without a file: what tracklore-cli prints for "--format csv".
#pragma once

#include <functional>
#include <string_view>

#include "core/catalogue.h"

namespace tracklore {

/// Produces exactly the bytes ExportCSV writes for `set` (the leading empty line, the header
/// and one line per record in slot order), handing them to `sink` in pieces.
void WriteCsvText(const TTracklore& set, const std::function<void(std::string_view)>& sink);

}  // namespace tracklore
