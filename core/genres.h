// The genre table: the name shown for each genre byte, and the lookup of a genre text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tracklore {

/// The names of the 256 genre bytes: the ID3v1 genres 0 to 79 and their common extensions
/// 80 to 147; 148 to 254 have no name (empty text); 255 is "(none)".
extern const std::array<std::string, 256> GenreNames;

/// The genre byte of a genre text from a tag. A text holding "(" and ")" gives the number
/// between the first "(" and the first ")" when that piece starts with a digit (its low 8
/// bits; EConvertError when the piece is not a number), else 254. Any other text gives the
/// highest index whose name equals it ignoring case by the locale's rules, else 254.
uint8_t GenreIndexOf(std::string_view text);

}  // namespace tracklore
