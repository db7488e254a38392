// File names that are not UTF-8, converted for records and mapped back to their bytes.
#include "platform/file_name_text.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>

#include "core/text_encoding.h"

namespace tracklore::platform {

namespace {

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

std::string FileNameText(std::string_view path) {
    std::string text;
    text.reserve(path.size());
    // "/" never occurs inside a UTF-8 sequence, so each part can be judged on its own.
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        text += TextFromFile(part);
        if (end == path.size()) return text;
        text += '/';
        start = end + 1;
    }
}

std::string FileNameOnDisk(const std::string& path) {
    if (Exists(path)) return path;
    std::string found;
    found.reserve(path.size());
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part(path.data() + start, end - start);
        const std::optional<std::string> bytes = Utf8ToCp1252(part);
        if (bytes && !IsValidUtf8(*bytes) && !Exists(found + std::string(part)) &&
            Exists(found + *bytes)) {
            found += *bytes;
        } else {
            found += part;
        }
        if (end == path.size()) return found;
        found += '/';
        start = end + 1;
    }
}

}  // namespace tracklore::platform
