// Shared libraries: loading, looking up exported functions and unloading.
#include "platform/library.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>
#include <utility>

#include "platform/file_info.h"
#include "platform/program.h"

namespace tracklore::platform {

TLibrary::TLibrary(TLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), lastError_(std::move(other.lastError_)) {}

TLibrary& TLibrary::operator=(TLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        handle_ = std::exchange(other.handle_, nullptr);
        lastError_ = std::move(other.lastError_);
    }
    return *this;
}

TLibrary::~TLibrary() {
    Unload();
}

bool TLibrary::Load(const std::string& path) {
    Unload();
    lastError_.clear();
    // RTLD_LOCAL: two plug-ins exporting the same names must not bind each other's symbols.
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* text = ::dlerror();
        lastError_ = text != nullptr ? text : path;
        return false;
    }
    return true;
}

void TLibrary::Unload() {
    if (handle_ == nullptr) return;
    ::dlclose(handle_);
    handle_ = nullptr;
}

void* TLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    return ::dlsym(handle_, name);
}

void* TLibrary::OwnSymbol(const char* name) const {
    void* symbol = Symbol(name);
    if (symbol == nullptr) return nullptr;
    link_map* own = nullptr;
    link_map* holder = nullptr;
    Dl_info found{};
    if (::dlinfo(handle_, RTLD_DI_LINKMAP, &own) != 0 ||
        ::dladdr1(symbol, &found, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0)
        return nullptr;
    return holder != nullptr && holder == own ? symbol : nullptr;
}

namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Iterative glob match with one back-track point for the last "*": linear in practice.
bool Match(std::string_view name, std::string_view mask) {
    size_t n = 0, m = 0;
    size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Fold(mask[m]) == Fold(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool SameFolder(const std::string& a, const std::string& b) {
    const std::optional<FileStatus> first = GetFileStatus(a);
    const std::optional<FileStatus> second = GetFileStatus(b);
    return first && second && first->Device == second->Device && first->Inode == second->Inode;
}

}  // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
    return Match(name, mask);
}

std::vector<std::string> ProgramPluginFolders() {
    const char* override = std::getenv("TRACKLORE_PLUGIN_DIR");
    std::vector<std::string> folders;
    if (override != nullptr && override[0] != '\0') {
        folders.push_back(WithSlash(override));
        return folders;
    }
    return ProgramFolders();
}

std::vector<TPluginFile> ListPlugins() {
    std::vector<std::string> folders = ProgramPluginFolders();
    const size_t programFolders = folders.size();
    // The current folder only when it is not one of the program's: there its files are the
    // program's own.
    const std::string current = WithSlash(CurrentFolder());
    if (!current.empty() &&
        std::none_of(folders.begin(), folders.end(),
                     [&](const std::string& folder) { return SameFolder(folder, current); }))
        folders.push_back(current);

    std::vector<TPluginFile> plugins;
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string& folder = folders[i];
        const auto entries = ListFolder(folder);
        if (!entries) continue;
        std::vector<std::string> names;
        for (const FolderEntry& entry : *entries)
            if (!entry.IsFolder && !entry.IsDevice && MatchesMask(entry.Name, kPluginMask))
                names.push_back(entry.Name);
        std::sort(names.begin(), names.end());
        for (std::string& name : names) {
            const bool known =
                std::any_of(plugins.begin(), plugins.end(),
                            [&](const TPluginFile& p) { return p.FileName == name; });
            if (known) continue;
            plugins.push_back({name, folder + name, i >= programFolders});
        }
    }
    return plugins;
}

std::string ResolveLibrary(const std::string& fileName) {
    if (fileName.find('/') != std::string::npos) return fileName;
    if (fileName.empty()) return {};
    for (const std::string& folder : ProgramPluginFolders()) {
        const std::optional<FileStatus> status = GetFileStatus(folder + fileName);
        if (status && !status->IsFolder) return folder + fileName;
    }
    return {};
}

}  // namespace tracklore::platform
