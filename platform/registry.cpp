// The registry store: keys and typed values read from and written to its text file.
#include "platform/registry.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/format.h"
#include "core/messages.h"
#include "core/text_scan.h"
#include "platform/descriptor.h"
#include "platform/file.h"
#include "platform/replace_file.h"
#include "streams/stream_errors.h"

namespace tracklore::platform {

namespace {

// A store file is a few kilobytes; anything far larger is not one, and is not read into
// memory. Parsed, a file takes up to some 35 times its size (a key per short line), so the
// bound also bounds what a hostile file costs at every start and save. Writing keeps to the
// same bound, so whatever is written can be read back.
constexpr int64_t kMaxStoreSize = 1 << 20;

[[noreturn]] void FailOpening(const std::string& path, int code) {
    throw EInOutError(Format(msg::ErrorOpening, path.c_str(), SystemErrorText(code).c_str()));
}

// Writes `bytes` as the whole content of the file `path`, created or emptied, and flushes
// it to the device; failures raise the texts a file stream gives.
void WriteWhole(const std::string& path, const std::string& bytes, bool& opened) {
    TNativeFile file;
    if (!file.Open(path, kAccessWrite, 0, FileCreation::kCreateAlways))
        FailOpening(path, file.LastError());
    opened = true;
    size_t done = 0;
    if (!file.Write(bytes.data(), bytes.size(), done))
        throw EInOutError(Format(msg::ErrorWriting, SystemErrorText(file.LastError()).c_str()));
    if (done < bytes.size()) throw EInOutError(Format(msg::ErrorWriting, ""));
    if (!file.Flush())
        throw EInOutError(Format(msg::ErrorWriting, SystemErrorText(file.LastError()).c_str()));
    file.Close();
}

// The file's bytes. Returns false with the error code for a file that cannot be read;
// a missing file reads as empty.
bool ReadStore(const std::string& fileName, std::string& text, int& code) {
    text.clear();
    // Non-blocking, so a pipe put in the file's place cannot stall the open.
    const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        code = errno;
        return code == ENOENT || code == ENOTDIR;
    }
    struct stat status;
    code = RegularFileError(file.Get(), status);
    if (code != 0) return false;
    if (status.st_size > kMaxStoreSize) {
        code = EFBIG;
        return false;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            code = errno;
            return false;
        }
        if (got == 0) return true;
        text.append(buffer, static_cast<size_t>(got));
        // The file may grow while it is read.
        if (static_cast<int64_t>(text.size()) > kMaxStoreSize) {
            code = EFBIG;
            return false;
        }
    }
}

// Makes every missing folder above `fileName`, private to the user.
void MakeFolders(const std::string& fileName) {
    const size_t last = fileName.rfind('/');
    if (last == std::string::npos || last == 0) return;
    for (size_t at = fileName.find('/', 1); at != std::string::npos && at <= last;
         at = fileName.find('/', at + 1)) {
        const std::string folder = fileName.substr(0, at);
        if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) continue;
        FailOpening(folder, errno);
    }
}

// The full path of `key` below the user's root, or "" when it cannot name a key.
std::string KeyPath(std::string_view key) {
    key = Trim(key, "\\");
    for (char c : key)
        if (static_cast<unsigned char>(c) < 0x20) return {};
    std::string path = kCurrentUserRoot;
    if (!key.empty()) path += '\\' + std::string(key);
    return path;
}

}  // namespace

TRegDocument LoadRegistryFile(const std::string& fileName, bool strict) {
    std::string text;
    int code = 0;
    if (!ReadStore(fileName, text, code)) {
        if (strict) FailOpening(fileName, code);
        return {};
    }
    if (!IsRegistryText(text)) {
        if (strict)
            throw EInOutError(Format(msg::ErrorOpening, fileName.c_str(), msg::NotARegistryFile));
        return {};
    }
    return ParseRegistryText(text);
}

void SaveRegistryFile(const std::string& fileName, const TRegDocument& document) {
    MakeFolders(fileName);
    const std::string text = RegistryText(document);
    // A file the reader refuses would lock every later read and write out.
    if (static_cast<int64_t>(text.size()) > kMaxStoreSize)
        throw EInOutError(Format(msg::SettingsTooLarge, fileName.c_str(),
                                 static_cast<long long>(text.size()),
                                 static_cast<long long>(kMaxStoreSize)));
    ReplaceFile(fileName,
                [&text](const std::string& path, bool& opened) { WriteWhole(path, text, opened); });
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    CloseKey();
    lastError_.clear();
    const std::string path = KeyPath(key);
    try {
        if (path.empty()) FailOpening(key, EINVAL);
        TRegDocument document = LoadRegistryFile(fileName_, canCreate);
        const TRegKey* found = document.Find(path);
        if (found == nullptr) {
            if (!canCreate) {
                lastError_ =
                    Format(msg::ErrorOpening, key.c_str(), SystemErrorText(ENOENT).c_str());
                return false;
            }
            found = &document.Add(path);
            SaveRegistryFile(fileName_, document);
        }
        snapshot_ = *found;
    } catch (const EInOutError& error) {
        lastError_ = error.what();
        return false;
    }
    keyPath_ = path;
    open_ = true;
    return true;
}

void TRegistry::CloseKey() {
    open_ = false;
    keyPath_.clear();
    snapshot_ = TRegKey();
}

TRegResult TRegistry::ReadString(const std::string& name, std::string& value) const {
    const TRegValue* found = open_ ? snapshot_.Find(name) : nullptr;
    if (found == nullptr) return TRegResult::Missing;
    if (found->Type != TRegDataType::String && found->Type != TRegDataType::ExpandString)
        return TRegResult::WrongType;
    value = found->Data;
    return TRegResult::Ok;
}

TRegResult TRegistry::ReadInteger(const std::string& name, int32_t& value) const {
    const TRegValue* found = open_ ? snapshot_.Find(name) : nullptr;
    if (found == nullptr) return TRegResult::Missing;
    if (found->Type != TRegDataType::DWord) return TRegResult::WrongType;
    value = static_cast<int32_t>(found->DWord);
    return TRegResult::Ok;
}

TRegResult TRegistry::ReadBinary(const std::string& name, std::string& value,
                                 size_t maxSize) const {
    const TRegValue* found = open_ ? snapshot_.Find(name) : nullptr;
    if (found == nullptr) return TRegResult::Missing;
    if (found->Type != TRegDataType::Binary) return TRegResult::WrongType;
    if (found->Data.size() > maxSize) return TRegResult::TooLarge;
    value = found->Data;
    return TRegResult::Ok;
}

TRegValue RegText(std::string text) {
    return {TRegDataType::String, 0, std::move(text), 0};
}

TRegValue RegInteger(int32_t number) {
    return {TRegDataType::DWord, 0, "", static_cast<uint32_t>(number)};
}

TRegValue RegBinary(std::string bytes) {
    return {TRegDataType::Binary, 0, std::move(bytes), 0};
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    WriteValues({{name, RegText(value)}});
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    WriteValues({{name, RegInteger(value)}});
}

void TRegistry::WriteBinary(const std::string& name, const std::string& value) {
    WriteValues({{name, RegBinary(value)}});
}

void TRegistry::WriteValues(const std::vector<std::pair<std::string, TRegValue>>& values) {
    if (!open_) FailOpening(fileName_, EBADF);
    // A line break in a name could not be read back as the same name.
    for (const auto& [name, value] : values)
        if (name.find_first_of("\r\n") != std::string::npos) FailOpening(name, EINVAL);
    // Read afresh, so values others wrote since the key was opened are kept; a file that
    // cannot be read is not overwritten.
    TRegDocument document = LoadRegistryFile(fileName_, true);
    TRegKey& key = document.Add(keyPath_);
    for (const auto& [name, value] : values)
        key.Add(name) = value;
    SaveRegistryFile(fileName_, document);
    snapshot_ = key;
}

}  // namespace tracklore::platform
