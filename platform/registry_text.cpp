// The registry store's REGEDIT4 text: parsing it into keys and values and writing it back.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/text_scan.h"
#include "platform/registry.h"

// The text form, as regedit writes it:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Corvane\Tracklore\1.0]
//   "ListFontName"="DejaVu Sans"          text; \ and " escaped as \\ and \"
//   "ListFontSize"=dword:00000008         32-bit integer, hex
//   "ListFontStyle"=hex:00                binary; long lists go on with ",\" lines
//   "Path"=hex(2):25,00                   another type n, as bytes
//   @="..."                               the key's default value
//   "Old"=-                               removes a value
//   [-HKEY_CURRENT_USER\Software\Old]     removes a key
//
// Lines starting with ";" are comments. Lines end with LF or CR LF.

namespace tracklore::platform {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeaderV5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr uint32_t kTypeString = 1;
constexpr uint32_t kTypeExpandString = 2;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDWord = 4;
constexpr size_t kHexLineWidth = 76;  // regedit's width for wrapped byte lists

// Blanks within a line; a line read without its LF may still end in CR.
constexpr std::string_view kLineBlanks = " \t";
constexpr std::string_view kLineEndBlanks = " \t\r";

std::string_view TrimLine(std::string_view text) {
    return TrimRight(TrimLeft(text, kLineBlanks), kLineEndBlanks);
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && FoldName(text.substr(0, prefix.size())) == prefix;
}

// 1 to 8 hex digits and nothing else.
bool ParseHexNumber(std::string_view text, uint32_t& number) {
    if (text.empty() || text.size() > 8) return false;
    number = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        number = number << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

class TLineReader {
public:
    explicit TLineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        const size_t end = std::min(text_.find('\n', at_), text_.size());
        line = text_.substr(at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end + 1;
        return true;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
};

// A quoted text at the start of `rest` (which begins with '"'); `rest` moves past the
// closing quote. An unknown escape keeps its backslash, as regedit does.
bool ParseQuoted(std::string_view& rest, std::string& text) {
    text.clear();
    for (size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"')) {
            text += rest[++i];
        } else {
            text += c;
        }
    }
    return false;
}

// Comma-separated bytes; `data` may end in "\" when the list goes on in the next line. Lines
// are consumed up to the list's end even when a byte is bad, so no list text is taken for a
// value line.
bool ParseHexBytes(std::string_view data, TLineReader& lines, std::string& bytes) {
    bool good = true;
    for (;;) {
        data = TrimLine(data);
        const bool more = !data.empty() && data.back() == '\\';
        if (more) data.remove_suffix(1);
        while (!data.empty()) {
            const size_t comma = data.find(',');
            const std::string_view token = TrimLine(data.substr(0, comma));
            data = comma == std::string_view::npos ? std::string_view() : data.substr(comma + 1);
            uint32_t byte = 0;
            if (token.empty()) continue;
            if (token.size() > 2 || !ParseHexNumber(token, byte)) good = false;
            if (good) bytes += static_cast<char>(byte);
        }
        if (!more || !lines.Next(data)) break;
    }
    return good;
}

// A text stored as bytes ends in one NUL, which is not part of it.
std::string WithoutTerminator(std::string bytes) {
    if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return bytes;
}

TRegValue ValueOfHex(uint32_t type, std::string bytes) {
    TRegValue value;
    if (type == kTypeString || type == kTypeExpandString) {
        value.Type = type == kTypeString ? TRegDataType::String : TRegDataType::ExpandString;
        value.Data = WithoutTerminator(std::move(bytes));
    } else if (type == kTypeBinary) {
        value.Type = TRegDataType::Binary;
        value.Data = std::move(bytes);
    } else if (type == kTypeDWord && bytes.size() == 4) {
        value.Type = TRegDataType::DWord;
        for (int i = 3; i >= 0; --i)
            value.DWord = value.DWord << 8 | static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
    } else {
        value.Type = TRegDataType::Other;
        value.RawType = type;
        value.Data = std::move(bytes);
    }
    return value;
}

// What follows "=" in a value line. Returns false for data that cannot be read; `remove`
// is set for "-".
bool ParseData(std::string_view data, TLineReader& lines, TRegValue& value, bool& remove) {
    remove = false;
    data = TrimLeft(data, kLineBlanks);
    if (!data.empty() && data.front() == '"') {
        value = TRegValue();
        return ParseQuoted(data, value.Data);
    }
    if (TrimLine(data) == "-") {
        remove = true;
        return true;
    }
    if (StartsWithFolded(data, "dword:")) {
        value = TRegValue();
        value.Type = TRegDataType::DWord;
        return ParseHexNumber(TrimLine(data.substr(6)), value.DWord);
    }
    uint32_t type = kTypeBinary;
    if (StartsWithFolded(data, "hex:")) {
        data.remove_prefix(4);
    } else if (StartsWithFolded(data, "hex(")) {
        const size_t close = data.find("):");
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), type))
            return false;
        data.remove_prefix(close + 2);
    } else {
        return false;
    }
    std::string bytes;
    if (!ParseHexBytes(data, lines, bytes)) return false;
    value = ValueOfHex(type, std::move(bytes));
    return true;
}

// "[path]" or "[-path]": the key's path without outer "\", empty when unusable.
std::string KeyPathOf(std::string_view line, bool& remove) {
    const size_t close = line.rfind(']');
    std::string_view path = line.substr(1, close == std::string_view::npos ? 0 : close - 1);
    remove = !path.empty() && path.front() == '-';
    if (remove) path.remove_prefix(1);
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    // A key named with a leading "-" could not be written back without reading as a removal.
    if (!path.empty() && path.front() == '-') return std::string();
    return std::string(path);
}

bool ParseHeader(TLineReader& lines) {
    std::string_view line;
    while (lines.Next(line)) {
        if (line.substr(0, kUtf8Bom.size()) == kUtf8Bom) line.remove_prefix(kUtf8Bom.size());
        line = TrimLine(line);
        if (line.empty()) continue;
        return line == kHeader || line == kHeaderV5;
    }
    return false;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

bool HasControlCharacter(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20) return true;
    return false;
}

void AppendHex(std::string& out, std::string_view prefix, std::string_view bytes) {
    out += prefix;
    size_t column = out.size() - out.rfind('\n') - 1;
    char digits[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
        out += digits;
        column += 2;
        if (i + 1 == bytes.size()) break;
        out += ',';
        ++column;
        if (column + 3 > kHexLineWidth) {
            out += "\\\n  ";
            column = 2;
        }
    }
}

void AppendValue(std::string& out, const std::string& name, const TRegValue& value) {
    out += name.empty() ? std::string("@") : Quoted(name);
    out += '=';
    char text[32];
    switch (value.Type) {
        case TRegDataType::String:
            if (!HasControlCharacter(value.Data)) {
                out += Quoted(value.Data);
                break;
            }
            AppendHex(out, "hex(1):", value.Data + '\0');
            break;
        case TRegDataType::ExpandString: AppendHex(out, "hex(2):", value.Data + '\0'); break;
        case TRegDataType::DWord:
            std::snprintf(text, sizeof text, "dword:%08x", value.DWord);
            out += text;
            break;
        case TRegDataType::Binary: AppendHex(out, "hex:", value.Data); break;
        case TRegDataType::Other:
            std::snprintf(text, sizeof text, "hex(%x):", value.RawType);
            AppendHex(out, text, value.Data);
            break;
    }
    out += '\n';
}

}  // namespace

std::string FoldName(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool IsRegistryText(std::string_view text) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
    TLineReader lines(text);
    return ParseHeader(lines);
}

TRegDocument ParseRegistryText(std::string_view text) {
    TRegDocument document;
    TLineReader lines(text);
    if (!ParseHeader(lines)) return document;
    TRegKey* key = nullptr;
    std::string_view line;
    while (lines.Next(line)) {
        line = TrimLeft(line, kLineBlanks);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            bool remove = false;
            const std::string path = KeyPathOf(line, remove);
            key = nullptr;
            if (path.empty()) continue;
            if (remove) {
                document.Remove(path);
            } else {
                key = &document.Add(path);
            }
            continue;
        }
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (line.front() != '"' || !ParseQuoted(line, name)) {
            continue;
        }
        line = TrimLeft(line, kLineBlanks);
        if (line.empty() || line.front() != '=') continue;
        TRegValue value;
        bool remove = false;
        // The data is read even outside a key, so a byte list's further lines are used up.
        if (!ParseData(line.substr(1), lines, value, remove) || key == nullptr) continue;
        if (remove) {
            key->Remove(name);
        } else {
            key->Add(name) = std::move(value);
        }
    }
    return document;
}

std::string RegistryText(const TRegDocument& document) {
    std::string out(kHeader);
    out += '\n';
    document.ForEach([&out](const std::string& path, const TRegKey& key) {
        out += "\n[" + path + "]\n";
        key.ForEach([&out](const std::string& name, const TRegValue& value) {
            AppendValue(out, name, value);
        });
    });
    out += '\n';
    return out;
}

}  // namespace tracklore::platform
