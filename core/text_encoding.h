// Text encodings met in files: UTF-8 (what the catalogue keeps in memory and writes),
// Windows-1252 (8-bit texts of older files and tags) and UTF-16 (tags).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tracklore {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

/// Windows-1252 bytes converted to UTF-8. The five bytes that code page leaves undefined
/// (81, 8D, 8F, 90, 9D) become the C1 controls of the same value, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view bytes);

/// The Windows-1252 bytes of the UTF-8 text `text`, the inverse of Cp1252ToUtf8; nothing when
/// the text is not UTF-8 or holds a character that code page lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

/// A text read from a file: kept when it is valid UTF-8, else taken as Windows-1252.
std::string TextFromFile(std::string_view bytes);

/// A text read from a file, shown in a message: as TextFromFile, with control characters
/// escaped so none cuts the message short or breaks its line ("\0", "\t", "\n", "\r",
/// else "\x" and two hex digits).
std::string PrintableText(std::string_view bytes);

/// Appends the UTF-8 form of `codePoint`; surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

/// UTF-16 code units (two bytes each, the given byte order) converted to UTF-8. An odd last
/// byte is dropped; an unpaired surrogate becomes U+FFFD. Zero units are kept as zero bytes.
std::string Utf16ToUtf8(const uint8_t* bytes, size_t count, bool bigEndian);

/// The longest prefix of the UTF-8 text `text` of at most `maxBytes` bytes that does not end
/// inside a character. A text that is not UTF-8 there (more than three continuation bytes
/// before the cut) is cut at exactly `maxBytes`.
std::string_view CutUtf8(std::string_view text, size_t maxBytes);

}  // namespace tracklore
