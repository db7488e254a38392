// Small pieces for reading texts by hand: blanks cut off the ends of a text, the value of a
// hex digit, whole numbers, ASCII classes and upper case. Standard library only, so every folder
// may use them.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace tracklore {

/// The blanks of the C locale: space, tab, CR, LF, vertical tab and form feed.
inline constexpr std::string_view kBlanks = " \t\r\n\v\f";

/// `text` without the characters of `blanks` at its start.
constexpr std::string_view TrimLeft(std::string_view text, std::string_view blanks = kBlanks) {
    const size_t first = text.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

/// `text` without the characters of `blanks` at its end.
constexpr std::string_view TrimRight(std::string_view text, std::string_view blanks = kBlanks) {
    const size_t last = text.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

/// `text` without the characters of `blanks` at either end.
constexpr std::string_view Trim(std::string_view text, std::string_view blanks = kBlanks) {
    return TrimRight(TrimLeft(text, blanks), blanks);
}

/// The value of the hex digit `c` (0-9, a-f, A-F), or -1 for any other character.
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// `text` as a whole decimal number (an optional "-" and digits, nothing else), or nothing.
inline std::optional<int> ParseWholeNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

/// True for 0-9 (whatever the locale).
constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

/// True for A-Z and a-z (whatever the locale).
constexpr bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// `c` in upper case when it is a-z; any other character as it is.
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// `text` with a-z in upper case.
inline std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = AsciiUpper(c);
    return upper;
}

}  // namespace tracklore
