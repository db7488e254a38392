// The order and widths of the two lists' columns as the user left them, kept in the
// preferences store as text: "logical:width" per column, in the order shown
// ("0:55 2:140 1:100 ...").
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace tracklore::ui {

struct TPrefs;

/// One column as shown: which column it is and how wide.
struct TColumnPlace {
    int Column = 0;
    int Width = 0;
    bool operator==(const TColumnPlace&) const = default;
};

/// The text of `places`.
std::string FormatColumnLayout(const std::vector<TColumnPlace>& places);
/// The places of `text`, or nothing when it is not a layout of exactly `columns` columns,
/// each once, with widths from 8 to 4,000 pixels (a store edited by hand or from another
/// release is ignored as a whole).
std::optional<std::vector<TColumnPlace>> ParseColumnLayout(const std::string& text, int columns);

/// Reads "AllListColumns" and "SelectedListColumns" from a store whose key is open;
/// anything missing or unreadable leaves the prefs' texts empty (the default layout).
void ReadColumnLayouts(TPrefs& prefs, const platform::TRegistry& registry);
/// The same values for SavePrefs.
std::vector<std::pair<std::string, platform::TRegValue>> ColumnLayoutValues(const TPrefs& prefs);

}  // namespace tracklore::ui
