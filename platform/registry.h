// The registry store of the current user: keys holding typed values (strings, 32-bit
// integers, binary data), kept in one REGEDIT4 text file. Reads report why they fail the way
// the Windows registry calls do; every write replaces the file safely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tracklore::platform {

/// The key every value of the application lives under.
inline constexpr char kRegistryKey[] = "Software\\Corvane\\Tracklore\\1.0";

/// The root every key of the store lives under.
inline constexpr char kCurrentUserRoot[] = "HKEY_CURRENT_USER";

/// Kinds of registry values. `String` and `ExpandString` are texts; `Other` is any further
/// type kept as raw bytes (written back as "hex(n):").
enum class TRegDataType { String, ExpandString, DWord, Binary, Other };

/// One value: texts and raw bytes in `Data`, a 32-bit integer in `DWord`.
struct TRegValue {
    TRegDataType Type = TRegDataType::String;
    uint32_t RawType = 0;  ///< the type number of an `Other` value ("hex(n):"), else 0
    std::string Data;
    uint32_t DWord = 0;
    bool operator==(const TRegValue&) const = default;
};

/// Items named without regard to ASCII case (as registry names are), kept in the order
/// they were first set; the first spelling of a name is kept. Adding, finding and removing
/// take logarithmic time, so files with very many entries load quickly.
template <class V>
class TFoldedMap {
public:
    using Item = std::pair<std::string, V>;

    const V* Find(std::string_view name) const;
    V* Find(std::string_view name);
    /// The item named `name`, added with a default value when missing.
    V& Add(std::string_view name);
    /// False when there was no such item.
    bool Remove(std::string_view name);
    /// Names and values in order.
    std::vector<Item> Items() const;
    /// Calls `visit(name, value)` for every item in order, without copying.
    template <class F>
    void ForEach(F visit) const {
        for (const auto& entry : items_)
            visit(entry.second.first, entry.second.second);
    }
    size_t Size() const { return items_.size(); }
    bool operator==(const TFoldedMap& other) const { return Items() == other.Items(); }

private:
    std::map<std::string, uint64_t> index_;  // folded name -> order
    std::map<uint64_t, Item> items_;
    uint64_t next_ = 0;
};

/// One key: its values by name ("" is the default value, "@" in the file).
using TRegKey = TFoldedMap<TRegValue>;

/// All keys of one store file by full path ("HKEY_CURRENT_USER\Software\..."; no leading
/// or trailing "\"). A subkey is a key of its own.
using TRegDocument = TFoldedMap<TRegKey>;

/// `text` with ASCII letters in lower case: the form names are compared in.
std::string FoldName(std::string_view text);

template <class V>
const V* TFoldedMap<V>::Find(std::string_view name) const {
    const auto at = index_.find(FoldName(name));
    return at == index_.end() ? nullptr : &items_.at(at->second).second;
}

template <class V>
V* TFoldedMap<V>::Find(std::string_view name) {
    const auto at = index_.find(FoldName(name));
    return at == index_.end() ? nullptr : &items_.at(at->second).second;
}

template <class V>
V& TFoldedMap<V>::Add(std::string_view name) {
    const auto [at, added] = index_.emplace(FoldName(name), next_);
    if (added) items_.emplace(next_++, Item(std::string(name), V()));
    return items_.at(at->second).second;
}

template <class V>
bool TFoldedMap<V>::Remove(std::string_view name) {
    const auto at = index_.find(FoldName(name));
    if (at == index_.end()) return false;
    items_.erase(at->second);
    index_.erase(at);
    return true;
}

template <class V>
std::vector<typename TFoldedMap<V>::Item> TFoldedMap<V>::Items() const {
    std::vector<Item> items;
    items.reserve(items_.size());
    for (const auto& [order, item] : items_)
        items.push_back(item);
    return items;
}

/// Reads REGEDIT4 text. Outside data: whatever cannot be understood (a missing header, a
/// bad line, a bad escape or hex byte, an unterminated text) is skipped, so a broken file
/// gives what could be read, and a file without the "REGEDIT4" header gives nothing.
TRegDocument ParseRegistryText(std::string_view text);

/// True when `text` is blank or begins (after blank lines) with a registry file's header.
bool IsRegistryText(std::string_view text);

/// Writes REGEDIT4 text that ParseRegistryText reads back to the same document. Texts with
/// control characters (which a quoted line cannot hold) are written as "hex(1):" bytes.
std::string RegistryText(const TRegDocument& document);

/// A text, 32-bit integer or binary value, as written.
TRegValue RegText(std::string text);
TRegValue RegInteger(int32_t number);
TRegValue RegBinary(std::string bytes);

/// Why a read failed.
enum class TRegResult {
    Ok,
    Missing,    ///< no key is open, or the key has no such value
    WrongType,  ///< the value has another type
    TooLarge,   ///< a binary value larger than the caller's buffer
};

/// The store file `fileName`, with at most one key open at a time below HKEY_CURRENT_USER.
/// Opening a key takes a snapshot of the file for the reads; every write reads the file
/// afresh, changes the values written and replaces the file (temporary file, flush, rename),
/// so values other owners wrote meanwhile are kept and a failed write leaves the file as it
/// was. Two processes writing at the same instant are not serialised: the later wins.
class TRegistry {
public:
    explicit TRegistry(std::string fileName) : fileName_(std::move(fileName)) {}

    /// Opens `key` ("Software\Corvane\Tracklore\1.0"; leading and trailing "\" ignored).
    /// Without `canCreate` fails when the file or the key is missing. With it, a missing
    /// key is created at once, along with the file and its folders. False on failure, with
    /// the reason in LastError().
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    bool HasOpenKey() const { return open_; }
    /// The message of the last failed OpenKey.
    const std::string& LastError() const { return lastError_; }

    /// A missing value reads as Missing, not as an empty text (callers decide).
    TRegResult ReadString(const std::string& name, std::string& value) const;
    TRegResult ReadInteger(const std::string& name, int32_t& value) const;
    /// Fills `value` with a binary value of at most `maxSize` bytes.
    TRegResult ReadBinary(const std::string& name, std::string& value, size_t maxSize) const;

    /// Writes one value into the open key. Raises EInOutError when no key is open or the
    /// file cannot be written; the file then stays as it was.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);
    void WriteBinary(const std::string& name, const std::string& value);
    /// Writes several values, in order, with one replacement of the file: either all of
    /// them are written or, when it raises, none.
    void WriteValues(const std::vector<std::pair<std::string, TRegValue>>& values);

private:
    std::string fileName_;
    std::string keyPath_;  // full path of the open key
    TRegKey snapshot_;     // the open key as last read or written
    bool open_ = false;
    std::string lastError_;
};

/// The document in the file; a missing file is an empty one. A file that cannot be read
/// (no permission, no regular file, too large) raises EInOutError when `strict`, else
/// reads as empty; so does a file that is no registry file at all (no header), which a
/// writer must not replace: the store's name may point at someone else's file.
TRegDocument LoadRegistryFile(const std::string& fileName, bool strict);

/// Replaces the file with `document`, creating its missing folders (mode 0700). Raises
/// EInOutError; the previous file then stays as it was.
void SaveRegistryFile(const std::string& fileName, const TRegDocument& document);

}  // namespace tracklore::platform
