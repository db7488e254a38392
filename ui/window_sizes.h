// The sizes the user gave the resizable dialogs, kept in the preferences store between runs:
// one text value "<key>Size" = "WIDTHxHEIGHT" per dialog ("ScanErrorsSize"="640x420").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace tracklore::ui {

/// A window's outer size in pixels.
struct TWindowSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TWindowSize&) const = default;
};

/// Sizes outside 1..kMaxWindowExtent on either side are not taken from the store.
inline constexpr int kMaxWindowExtent = 16384;

/// "WIDTHxHEIGHT".
std::string FormatWindowSize(TWindowSize size);
/// The size `text` holds, or nothing when it is not two decimal numbers within
/// 1..kMaxWindowExtent joined by "x" (a store edited by hand or damaged).
std::optional<TWindowSize> ParseWindowSize(std::string_view text);

/// The value name the size of the dialog `key` is stored under.
std::string WindowSizeName(const std::string& key);

/// The size stored for `key`; nothing when the store, the key or the value is missing,
/// unreadable, of another type or no size. Never raises: a size is only a convenience.
std::optional<TWindowSize> LoadWindowSize(const std::string& registryFile, const std::string& key);

/// Writes the sizes in one replacement of the store file, creating it when missing. Raises
/// EInOutError on failure; the store then stays as it was.
void SaveWindowSizes(const std::string& registryFile,
                     const std::vector<std::pair<std::string, TWindowSize>>& sizes);

}  // namespace tracklore::ui
