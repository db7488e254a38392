// Texts as the scan puts them into records: tag texts cleaned of the zero characters that
// terminate or separate values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tracklore {

/// A tag text for a record: trailing zero characters dropped, and the values a zero
/// character separates joined with " / " (empty values dropped).
std::string RecordText(std::string_view text);

/// The first of the values a zero character separates (the whole text when there is none).
std::string FirstValue(std::string_view text);

/// The first `count` characters of the UTF-8 text `text` (all of it when shorter).
std::string FirstChars(std::string_view text, size_t count);

}  // namespace tracklore
