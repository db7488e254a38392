// Dynamic libraries: loading a shared library, finding its exported functions, unloading it;
// and the player plug-ins ("PL_*.so") in the folders they are looked for in.
#pragma once

#include <string>
#include <vector>

namespace tracklore::platform {

/// One loaded shared library; unloaded when destroyed. Not copyable, movable.
class TLibrary {
public:
    TLibrary() = default;
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;
    TLibrary(TLibrary&& other) noexcept;
    TLibrary& operator=(TLibrary&& other) noexcept;
    ~TLibrary();

    /// Unloads what is loaded, then loads `path` (a path with a "/" is used as it is; a bare
    /// name goes through the system's library search). False on failure, with the
    /// loader's text in LastError().
    bool Load(const std::string& path);
    /// Unloads the library (which runs its exit routine). Does nothing when none is loaded.
    void Unload();
    bool IsLoaded() const { return handle_ != nullptr; }

    /// The address of the export `name`, or nullptr when the library has none (or none is
    /// loaded).
    void* Symbol(const char* name) const;
    /// Like Symbol, but only an export of this library itself: dlsym also searches the
    /// libraries it depends on, so an optional export the library lacks would otherwise
    /// bind to a same-named function of one of those.
    void* OwnSymbol(const char* name) const;
    /// Typed form of Symbol for function pointers.
    template <class F>
    F Function(const char* name) const {
        return reinterpret_cast<F>(Symbol(name));
    }
    /// Typed form of OwnSymbol.
    template <class F>
    F OwnFunction(const char* name) const {
        return reinterpret_cast<F>(OwnSymbol(name));
    }

    /// The loader's text for the last failed Load.
    const std::string& LastError() const { return lastError_; }

private:
    void* handle_ = nullptr;
    std::string lastError_;
};

/// The file mask of player plug-ins.
inline constexpr char kPluginMask[] = "PL_*.so";

/// True when `name` matches `mask` ("*" any run of characters, "?" one byte) without regard
/// to ASCII case, as the system's file search matches names.
bool MatchesMask(const std::string& name, const std::string& mask);

/// The program's own plug-in folders, in order, each ending in "/": the program's folder and
/// the installed plug-in folder ../lib/tracklore beside it, or TRACKLORE_PLUGIN_DIR instead
/// when it is set and not empty (tests use it to keep the delivered plug-in out of their
/// lists). A bare plug-in name is bound from these only.
std::vector<std::string> ProgramPluginFolders();

/// A plug-in file found in a plug-in folder.
struct TPluginFile {
    std::string FileName;  ///< the name as listed, e.g. "PL_Ondine.so"
    std::string Path;      ///< folder + name
    /// Found in the current folder rather than in a program plug-in folder: loaded only by
    /// its path, when the user picks it.
    bool InCurrentFolder = false;
};

/// The files matching kPluginMask in the program plug-in folders, then in the current folder
/// (unless it is one of those): each folder in order, its names sorted; a name already found
/// in an earlier folder is not listed again. Folders are listed whatever the entries'
/// attributes; sub-folders are left out.
std::vector<TPluginFile> ListPlugins();

/// Where the library named by the bare file name `fileName` is: the first program plug-in
/// folder that holds a file of exactly that name, else "" (never the current folder nor the
/// system's library search). A name with a "/" is returned as it is.
std::string ResolveLibrary(const std::string& fileName);

}  // namespace tracklore::platform
