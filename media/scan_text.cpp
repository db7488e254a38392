// Tag texts as the scan puts them into records: zero characters and blanks cleaned away.
#include "media/scan_text.h"

#include <vector>

namespace tracklore {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return pieces;
        start = end + 1;
    }
}

}  // namespace

std::string RecordText(std::string_view text) {
    if (text.find('\0') == std::string_view::npos) return std::string(text);
    std::string joined;
    for (const std::string_view value : Split(text, '\0')) {
        if (value.empty()) continue;
        if (!joined.empty()) joined += " / ";
        joined += value;
    }
    return joined;
}

std::string FirstValue(std::string_view text) {
    for (const std::string_view value : Split(text, '\0')) {
        if (!value.empty()) return std::string(value);
    }
    return std::string();
}

std::string FirstChars(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t chars = 0; end < text.size() && chars < count; ++chars) {
        ++end;
        // Continuation bytes belong to the character just started.
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(text.substr(0, end));
}

}  // namespace tracklore
