// Scanning one MP3 file into a record, and a folder tree into records and an error list.
#include "media/scan.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "media/id3v2.h"
#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "media/scan_text.h"
#include "platform/date_time.h"
#include "platform/drives.h"
#include "platform/file.h"
#include "platform/file_info.h"
#include "platform/file_name_text.h"
#include "streams/stream_errors.h"

namespace tracklore {

namespace {

constexpr const char* kErrorSeparator = "  -  ";

// A folder is known by its device and inode, so a second way into it (a link, a bind
// mount) is recognised, and a link loop ends.
using FolderKey = std::pair<uint64_t, uint64_t>;

const Tid3text* TextFrame(const Tid3v2& tag, std::string_view id) {
    return dynamic_cast<const Tid3text*>(tag.FindFrame(id));
}

std::string FrameText(const Tid3v2& tag, std::string_view id) {
    const Tid3text* frame = TextFrame(tag, id);
    return frame != nullptr ? RecordText(frame->Text) : std::string();
}

std::string YearOf(const Tid3v2& tag) {
    if (TextFrame(tag, "TYER") != nullptr) return FrameText(tag, "TYER");
    // Version-4 tags keep the year as the start of the recording time.
    const Tid3text* time = TextFrame(tag, "TDRC");
    return time != nullptr ? FirstChars(RecordText(time->Text), 4) : std::string();
}

uint8_t GenreOf(const Tid3v2& tag) {
    const Tid3text* genre = TextFrame(tag, "TCON");
    if (genre == nullptr) return kGenreUnknown;
    const std::string first = FirstValue(genre->Text);
    // Version-4 tags may name a genre by its bare number ("17"); the name lookup would
    // miss it.
    if (!first.empty() && first.size() <= 3 &&
        first.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(first);
        if (number <= 255) return static_cast<uint8_t>(number);
    }
    return GenreIndexOf(first);
}

uint16_t PlayLengthOf(double duration) {
    if (!(duration > 0)) return 0;
    // Longer than the field holds: keep the largest value rather than wrap to a short one.
    if (duration >= 65535.0) return 65535;
    return static_cast<uint16_t>(std::trunc(duration));
}

// Adds the bytes a file's analysis fetched to the caller's count, also when it failed.
class TFetchCount {
public:
    TFetchCount(const TMediaInput& input, int64_t* total) : input_(input), total_(total) {}
    TFetchCount(const TFetchCount&) = delete;
    TFetchCount& operator=(const TFetchCount&) = delete;
    ~TFetchCount() {
        if (total_ != nullptr) *total_ += input_.BytesFetched();
    }

private:
    const TMediaInput& input_;
    int64_t* total_;
};

class TFolderWalk {
public:
    TFolderWalk(TTracklore& catalogue, std::vector<std::string>& errors,
                const TScanOptions& options)
        : catalogue_(catalogue), errors_(errors), options_(options) {}

    // Marks `folder` visited; false when it was visited already.
    bool Enter(const std::string& folder) {
        const auto status = platform::GetFileStatus(folder);
        if (!status) return true;  // listing it will tell
        return visited_.insert({status->Device, status->Inode}).second;
    }

    // Scans the entries of `folder`; false when the scan was stopped.
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
                    errors_.push_back(path + kErrorSeparator +
                                      Format(msg::ScanFolderNotRead, reason.c_str()));
                } else if (!Walk(path, *inner)) {
                    return false;
                }
                continue;
            }
            if (!HasMp3Extension(entry.Name)) continue;
            // Pipes and devices have no file to read (a pipe named "x.mp3" would block the
            // scan for good): listed, not opened.
            if (entry.IsDevice) {
                errors_.push_back(path + kErrorSeparator + msg::ScanNotAFile);
                continue;
            }
            catalogue_.RaiseScan(path);
            // The notification is where the user's wish to stop arrives.
            if (options_.Cancel != nullptr && *options_.Cancel) return false;
            ScanFileListingErrors(catalogue_, path, errors_, options_);
        }
        return true;
    }

private:
    TTracklore& catalogue_;
    std::vector<std::string>& errors_;
    const TScanOptions& options_;
    std::set<FolderKey> visited_;
};

}  // namespace

bool HasMp3Extension(const std::string& name) {
    constexpr std::string_view kExtension = ".mp3";
    if (name.size() < kExtension.size()) return false;
    const std::string_view tail(name.data() + name.size() - kExtension.size(), kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a + ('a' - 'A') : a) == b;
    });
}

TrackRecord ScanRecord(const std::string& path, const TScanOptions& options) {
    TrackRecord record;
    const std::string fullPath = platform::AbsolutePath(path, platform::CurrentFolder());
    if (const auto split = platform::SplitDrivePath(fullPath)) {
        record.Volume = platform::VolumeLabelOf(split->Letter);
        record.Filename = platform::FileNameText(split->Filename);
    } else {
        record.Filename = platform::FileNameText(fullPath);
    }

    {
        if (!platform::GetFileStatus(path)) throw Eid3v2(Format(msg::FileNotFound, path.c_str()));
        // The whole walk reads every byte: large blocks from the start. The quick analysis
        // looks at a few places only, each needing a few kilobytes.
        TMediaInput input(path,
                          options.ScanVBR ? TMediaInput::kBlockSize : TMediaInput::kSmallBlockSize);
        TFetchCount count(input, options.BytesRead);
        Tid3v2 tag(path, input, false);
        input.Seek(tag.AudioStart);
        tag.Audio =
            options.ScanVBR ? TMPEGAudio::ScanAllFrames(input) : TMPEGAudio::ScanQuick(input);
        record.Artist = FrameText(tag, "TPE1");
        record.Title = FrameText(tag, "TIT2");
        record.Album = FrameText(tag, "TALB");
        record.Year = YearOf(tag);
        if (const auto* comment = dynamic_cast<const Tid3comment*>(tag.FindFrame("COMM"))) {
            record.Comment = RecordText(comment->Text);
        }
        record.Genre = GenreOf(tag);
        if (tag.Audio) {
            record.PlayLength = PlayLengthOf(tag.Audio->Duration);
            record.BitRate = tag.Audio->BitRate;
            record.SampleRate = tag.Audio->SampleRate;
        }
        record.FileSize = static_cast<uint32_t>(static_cast<uint64_t>(tag.FileLength));
    }

    const auto status = platform::GetFileStatus(path);
    if (!status) {
        throw EInOutError(Format(msg::ErrorOpening, path.c_str(),
                                 platform::SystemErrorText(platform::LastFileError()).c_str()));
    }
    record.FileDate = platform::FileDateTime(status->LastWrite);
    return record;
}

void ScanFile(TTracklore& catalogue, const std::string& path, const TScanOptions& options) {
    TrackRecord record = ScanRecord(path, options);
    catalogue.Insert(record);
}

void ScanFileListingErrors(TTracklore& catalogue, const std::string& path,
                           std::vector<std::string>& errors, const TScanOptions& options) {
    // Every failure that belongs to this one file is listed; a full catalogue is not the
    // file's fault and ends the scan.
    std::optional<TrackRecord> record;
    try {
        record = ScanRecord(path, options);
    } catch (const EMPEGError& error) {
        errors.push_back(path + kErrorSeparator + error.what());
    } catch (const Eid3v2& error) {
        errors.push_back(path + kErrorSeparator + error.what());
    } catch (const EInOutError& error) {
        errors.push_back(path + kErrorSeparator + error.what());
    }
    if (record) catalogue.Insert(*record);
}

bool ScanFolder(TTracklore& catalogue, const std::string& folder, std::vector<std::string>& errors,
                const TScanOptions& options) {
    TFolderWalk walk(catalogue, errors, options);
    walk.Enter(folder);
    // The folder the user named must be readable: a mistyped path is reported, not ignored.
    const auto entries = platform::ListFolder(folder);
    if (!entries) {
        throw EInOutError(Format(msg::ErrorOpening, folder.c_str(),
                                 platform::SystemErrorText(platform::LastFileError()).c_str()));
    }
    return walk.Walk(folder, *entries);
}

}  // namespace tracklore
