// Conversions of texts to numbers with the system's conversion error.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracklore {

/// A text does not hold the number it should; carries the message text.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

/// The signed 32-bit decimal number `text` holds: an optional "+" or "-" and at least one
/// digit, nothing else. Raises EConvertError "'%s' is not a valid integer value" otherwise,
/// also when the value does not fit in 32 bits.
int32_t StrToInt(std::string_view text);

/// As StrToInt, but in 64 bits: the digits may give any value of int64_t.
int64_t StrToInt64(std::string_view text);

}  // namespace tracklore
