// The temporary file a save writes before it takes the target's place. Where the file system
// allows, it has no name until it is complete, so a killed save leaves nothing behind;
// elsewhere it is named after the target, this process and this host, so that a later save
// can remove what a killed one left.
#pragma once

#include <cstdint>
#include <string>

namespace tracklore::platform {

class TSaveTemporary {
public:
    /// Creates an empty temporary file in the folder of `target` (mode 0666 less the umask).
    /// Raises nothing: a failure leaves Path() empty and the error code in Error().
    explicit TSaveTemporary(const std::string& target);
    /// Removes the file unless it has replaced the target.
    ~TSaveTemporary();
    TSaveTemporary(const TSaveTemporary&) = delete;
    TSaveTemporary& operator=(const TSaveTemporary&) = delete;

    /// A name through which the file can be opened, changed and given attributes.
    const std::string& Path() const { return path_; }
    int Error() const { return error_; }

    /// Puts the file in the target's place. Returns 0, or the error code.
    int ReplaceTarget();

private:
    std::string target_;
    std::string path_;
    int fd_ = -1;  // the unnamed file, when there is one
    int error_ = 0;
    bool committed_ = false;
};

/// The folder holding `path` ("." for a bare name).
std::string FolderOf(const std::string& path);

/// The name a temporary file of a save of `target` by process `pid` gets on this host, with
/// `random` (its low 48 bits) telling it apart from others.
std::string SaveTemporaryName(const std::string& target, int pid, uint64_t random);

/// Removes the named temporary files of saves of `target` that this program left on this
/// host, owned by this user, whose process has ended. Files of running saves (of this or
/// another instance) and files it cannot attribute stay.
void RemoveStaleTemporaries(const std::string& target);

}  // namespace tracklore::platform
