// Texts to numbers, raising the system's conversion error for what is no number.
#include "core/convert.h"

#include <charconv>
#include <limits>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore {

namespace {

[[noreturn]] void Refuse(std::string_view text) {
    throw EConvertError(Format(msg::InvalidInteger, std::string(text).c_str()));
}

template <class Int>
Int Parse(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    // from_chars accepts a leading "-" but never "+", and would take "--5" apart wrongly:
    // the sign is handled here and only digits reach it.
    if (digits.empty() || digits[0] < '0' || digits[0] > '9') Refuse(text);
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) Refuse(text);
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<Int>::max()) + negative;
    if (magnitude > limit) Refuse(text);
    if (negative) return static_cast<Int>(0 - magnitude);
    return static_cast<Int>(magnitude);
}

}  // namespace

int32_t StrToInt(std::string_view text) {
    return Parse<int32_t>(text);
}

int64_t StrToInt64(std::string_view text) {
    return Parse<int64_t>(text);
}

}  // namespace tracklore
