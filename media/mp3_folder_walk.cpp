// The depth-first walk over a folder tree's MP3 files that scans and updates share.
#include "media/mp3_folder_walk.h"

#include <set>
#include <utility>

#include "core/format.h"
#include "core/messages.h"
#include "platform/file.h"
#include "platform/file_info.h"
#include "streams/stream_errors.h"

namespace tracklore {

namespace {

// A folder is known by its device and inode, so a second way into it (a link, a bind
// mount) is recognised, and a link loop ends.
using FolderKey = std::pair<uint64_t, uint64_t>;

class TMp3Walk {
public:
    TMp3Walk(TTracklore& catalogue, const TScanOptions& options, std::vector<std::string>& errors,
             const std::function<void(const std::string&)>& visit, std::vector<std::string>* unread)
        : catalogue_(catalogue),
          options_(options),
          errors_(errors),
          visit_(visit),
          unread_(unread) {}

    // Marks `folder` visited; false when it was visited already.
    bool Enter(const std::string& folder) {
        const auto status = platform::GetFileStatus(folder);
        if (!status) return true;  // listing it will tell
        return visited_.insert({status->Device, status->Inode}).second;
    }

    // Walks the entries of `folder`; false when the walk was stopped.
    bool Walk(const std::string& folder, const std::vector<platform::FolderEntry>& entries) {
        std::string prefix = folder;
        if (!prefix.empty() && prefix.back() != '/') prefix += '/';
        for (const auto& entry : entries) {
            const std::string path = prefix + entry.Name;
            if (entry.IsFolder) {
                if (!Enter(path)) continue;
                const auto inner = platform::ListFolder(path);
                if (!inner) {
                    // One folder that cannot be listed costs its own files only.
                    const std::string reason = platform::SystemErrorText(platform::LastFileError());
                    errors_.push_back(
                        ScanErrorLine(path, Format(msg::ScanFolderNotRead, reason.c_str())));
                    if (unread_ != nullptr) unread_->push_back(path);
                } else if (!Walk(path, *inner)) {
                    return false;
                }
                continue;
            }
            if (!HasMp3Extension(entry.Name)) continue;
            // Pipes and devices have no file to read (a pipe named "x.mp3" would block the
            // walk for good): listed, not opened.
            if (entry.IsDevice) {
                errors_.push_back(ScanErrorLine(path, msg::ScanNotAFile));
                continue;
            }
            catalogue_.RaiseScan(path);
            // The notification is where the user's wish to stop arrives.
            if (options_.Cancel != nullptr && *options_.Cancel) return false;
            visit_(path);
        }
        return true;
    }

private:
    TTracklore& catalogue_;
    const TScanOptions& options_;
    std::vector<std::string>& errors_;
    const std::function<void(const std::string&)>& visit_;
    std::vector<std::string>* unread_;
    std::set<FolderKey> visited_;
};

}  // namespace

bool WalkMp3Files(TTracklore& catalogue, const std::string& folder, const TScanOptions& options,
                  std::vector<std::string>& errors,
                  const std::function<void(const std::string& path)>& visit,
                  std::vector<std::string>* unread) {
    TMp3Walk walk(catalogue, options, errors, visit, unread);
    walk.Enter(folder);
    // The folder the user named must be readable: a mistyped path is reported, not ignored.
    const auto entries = platform::ListFolder(folder);
    if (!entries) {
        throw EInOutError(Format(msg::ErrorOpening, folder.c_str(),
                                 platform::SystemErrorText(platform::LastFileError()).c_str()));
    }
    return walk.Walk(folder, *entries);
}

std::string ScanErrorLine(const std::string& path, const std::string& message) {
    return path + "  -  " + message;
}

}  // namespace tracklore
