// UTF-8 checks and conversions to and from Windows-1252 and UTF-16.
#include "core/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tracklore {

namespace {

// Windows-1252 bytes 80 to 9F; the undefined ones map to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at `at`, or 0 when it is malformed.
size_t SequenceLength(std::string_view bytes, size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() - at < length) return 0;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < low || second > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(bytes[at + i]))) return 0;
    }
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size();) {
        // Most texts are plain ASCII: eight such bytes are passed over at a time.
        uint64_t word;
        if (bytes.size() - at >= sizeof word) {
            std::memcpy(&word, bytes.data() + at, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                at += sizeof word;
                continue;
            }
        }
        const size_t length = SequenceLength(bytes, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) codePoint = 0xFFFD;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            AppendUtf8(out, kCp1252High[byte - 0x80]);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const size_t length = SequenceLength(text, at);
        if (length == 0 || length > 3) return std::nullopt;
        char32_t code = static_cast<unsigned char>(text[at]);
        if (length > 1) {
            code &= length == 2 ? 0x1F : 0x0F;
            for (size_t i = 1; i < length; ++i)
                code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        }
        at += length;
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += static_cast<char>(code);
            continue;
        }
        const char16_t* const high = std::find(kCp1252High, kCp1252High + 32, code);
        if (high == kCp1252High + 32) return std::nullopt;
        bytes += static_cast<char>(0x80 + (high - kCp1252High));
    }
    return bytes;
}

std::string TextFromFile(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

std::string PrintableText(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : TextFromFile(bytes)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\0': shown += "\\0"; break;
            case '\t': shown += "\\t"; break;
            case '\n': shown += "\\n"; break;
            case '\r': shown += "\\r"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    shown += "\\x";
                    shown += kHex[byte >> 4];
                    shown += kHex[byte & 0x0F];
                } else {
                    shown += c;
                }
        }
    }
    return shown;
}

std::string Utf16ToUtf8(const uint8_t* bytes, size_t count, bool bigEndian) {
    std::string out;
    out.reserve(count);
    const size_t units = count / 2;
    auto unitAt = [&](size_t i) -> char32_t {
        const uint8_t a = bytes[2 * i], b = bytes[2 * i + 1];
        return bigEndian ? static_cast<char32_t>(a << 8 | b) : static_cast<char32_t>(b << 8 | a);
    };
    for (size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char32_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit);  // an unpaired surrogate becomes U+FFFD there
    }
    return out;
}

std::string_view CutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    // Step back over continuation bytes to the start of the character the cut would split.
    // A character has at most three of them; a longer run is no UTF-8, and stepping further
    // would throw away bytes without end (all of them, for a text of continuation bytes).
    constexpr size_t kMaxContinuations = 3;
    size_t end = maxBytes;
    while (end > 0 && maxBytes - end < kMaxContinuations &&
           IsContinuation(static_cast<unsigned char>(text[end])))
        --end;
    if (IsContinuation(static_cast<unsigned char>(text[end]))) end = maxBytes;
    return text.substr(0, end);
}

}  // namespace tracklore
