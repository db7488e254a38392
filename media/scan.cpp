// Scanning one MP3 file into a record, and a folder tree into records and an error list.
#include "media/scan.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "media/id3v2.h"
#include "media/media_input.h"
#include "media/mp3_folder_walk.h"
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

std::optional<TrackRecord> ScanRecordListingErrors(const std::string& path,
                                                   std::vector<std::string>& errors,
                                                   const TScanOptions& options) {
    // Every failure that belongs to this one file is listed: a tag or header error, a file
    // cut short, gone or unreadable.
    try {
        return ScanRecord(path, options);
    } catch (const EMPEGError& error) {
        errors.push_back(ScanErrorLine(path, error.what()));
    } catch (const Eid3v2& error) {
        errors.push_back(ScanErrorLine(path, error.what()));
    } catch (const EInOutError& error) {
        errors.push_back(ScanErrorLine(path, error.what()));
    }
    return std::nullopt;
}

void ScanFileListingErrors(TTracklore& catalogue, const std::string& path,
                           std::vector<std::string>& errors, const TScanOptions& options) {
    // A full catalogue is not the file's fault and ends the scan.
    if (auto record = ScanRecordListingErrors(path, errors, options)) catalogue.Insert(*record);
}

bool ScanFolder(TTracklore& catalogue, const std::string& folder, std::vector<std::string>& errors,
                const TScanOptions& options) {
    return WalkMp3Files(catalogue, folder, options, errors, [&](const std::string& path) {
        ScanFileListingErrors(catalogue, path, errors, options);
    });
}

}  // namespace tracklore
