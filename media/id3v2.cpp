// The tag reader: the ID3v2 tag at the start of a file, or else the version-1 tag at its end.
#include "media/id3v2.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "core/format.h"
#include "core/messages.h"
#include "media/byte_order.h"
#include "media/media_input.h"
#include "platform/file_info.h"

namespace tracklore {

namespace {

// The tag header, the first ten bytes of the file:
//
//   offset  0 1 2   3      4         5      6 7 8 9
//           I D 3   major  revision  flags  size (synchsafe, 4 x 7 bits)
//
// Header flags:
//
//   bit  7 6 5 4 3 2 1 0
//        U X . F . . . .     U = 0x80: the whole tag body is unsynchronised (version <= 3)
//                            X = 0x40: an extended header follows (version 3 and 4);
//                                      in version 2 the same bit means compression
//                            F = 0x10: a 10-byte footer follows the tag (version 4)
constexpr uint8_t kTagUnsynchronised = 0x80;
// Version-4 frame format flags that put bytes before the frame's content.
constexpr uint8_t kFrameGrouped = 0x40;
constexpr uint8_t kFrameDataLength = 0x01;
constexpr uint8_t kTagExtendedHeader = 0x40;
constexpr uint8_t kTagCompressed = 0x40;
constexpr uint8_t kTagFooter = 0x10;
constexpr int kTagHeaderSize = 10;
constexpr int kFooterSize = 10;

// Version-2 frame identifiers of the frames the catalogue uses, and of the one URL frame
// with a description, under their later four-letter names. Others keep their three letters.
struct TVersion2Name {
    const char* Short;
    const char* Long;
};
constexpr std::array<TVersion2Name, 8> kVersion2Names = {{
    {"TT2", "TIT2"},  // title
    {"TP1", "TPE1"},  // artist
    {"TAL", "TALB"},  // album
    {"TYE", "TYER"},  // year
    {"COM", "COMM"},  // comment
    {"TCO", "TCON"},  // genre
    {"TRK", "TRCK"},  // track
    {"WXX", "WXXX"},  // URL with description
}};

uint32_t BigEndian(const uint8_t* b, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | b[i];
    return value;
}

// Moves `count` bytes forward, failing as the short read it would become when the input
// does not hold that many.
void Skip(TSeekableStream& stream, int64_t count) {
    if (count > stream.Remaining()) throw EInOutError(msg::ReadLessThanExpected);
    stream.Seek(stream.Position() + count);
}

// The identifier as four printable characters for a message: bytes that are not printable
// ASCII (zero bytes among them) show as '?'.
std::string PrintableID(const std::string& id) {
    std::string shown = id;
    for (char& c : shown) {
        if (c < 0x20 || c > 0x7E) c = '?';
    }
    return shown;
}

// The size message with 64-bit numbers: a version-3 frame size can exceed what "%d" shows.
std::string SizeMismatch(const std::string& fileName, int64_t size, int64_t remaining) {
    std::string text = msg::ChunkSizeMismatch;
    const std::string values[] = {fileName, std::to_string(size), std::to_string(remaining)};
    size_t at = 0;
    for (const std::string& value : values) {
        at = text.find('%', at);
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}

bool IsDigitOrCapital(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

// Reads the frames of a tag body: `remaining` bytes of frames and padding from the stream's
// position.
class TFrameReader {
public:
    TFrameReader(Tid3v2& tag, TSeekableStream& stream, uint8_t version)
        : tag_(tag), stream_(stream), version_(version) {}

    void ReadBody(int64_t remaining, uint8_t flags) {
        if (version_ != 2 && (flags & kTagExtendedHeader)) remaining -= SkipExtendedHeader();
        const int headerSize = version_ == 2 ? 6 : 10;
        while (remaining >= headerSize) {
            Tid3FrameHeader header;
            if (!ReadHeader(header)) return;  // padding
            if (header.FrameSize > remaining)
                throw Eid3v2(SizeMismatch(tag_.FileName(), header.FrameSize, remaining));
            remaining -= static_cast<int64_t>(header.FrameSize) + headerSize;
            ReadFrame(header);
        }
    }

private:
    // Skips the extended header and returns the tag bytes it takes. Its size counts its own
    // four bytes in version 4 and leaves them out in version 3.
    int64_t SkipExtendedHeader() {
        uint8_t raw[4];
        stream_.Read(raw, 4);
        const int64_t size = ReadSynchsafe32(raw);
        if (version_ >= 4) {
            Skip(stream_, std::max<int64_t>(size - 4, 0));
            return std::max<int64_t>(size, 4);
        }
        Skip(stream_, size);
        return size + 4;
    }

    // Fills `header`; false when the identifier starts with a zero byte (padding).
    bool ReadHeader(Tid3FrameHeader& header) {
        uint8_t raw[10];
        if (version_ == 2) {
            // identifier (3) | size (3, big-endian); no flags
            stream_.Read(raw, 6);
            if (raw[0] == 0) return false;
            header.FrameID.assign(reinterpret_cast<const char*>(raw), 3);
            for (const auto& name : kVersion2Names) {
                if (header.FrameID == name.Short) header.FrameID = name.Long;
            }
            header.FrameSize = BigEndian(raw + 3, 3);
            return true;
        }
        // identifier (4) | size (4) | status flags | format flags
        stream_.Read(raw, 10);
        if (version_ > 4) throw Eid3v2(msg::UnsupportedVersion);
        if (raw[0] == 0) return false;
        header.FrameID.assign(reinterpret_cast<const char*>(raw), 4);
        header.FrameSize = version_ == 4 ? ReadSynchsafe32(raw + 4) : BigEndian(raw + 4, 4);
        header.StatusFlags = raw[8];
        header.FormatFlags = raw[9];
        // Taggers such as eyeD3 write version-4 frames with a data-length indicator; left in
        // the data, its four bytes would start every text with garbage.
        header.PrefixBytes = 0;
        if (version_ == 4) {
            if (header.FormatFlags & kFrameGrouped) header.PrefixBytes += 1;
            if (header.FormatFlags & kFrameDataLength) header.PrefixBytes += 4;
        }
        return true;
    }

    void ReadFrame(const Tid3FrameHeader& header) {
        const std::string& id = header.FrameID;
        std::unique_ptr<Tid3frame> frame;
        if (id[0] == 'T') {
            frame = std::make_unique<Tid3text>(header, stream_);
        } else if (id[0] == 'W') {
            frame = std::make_unique<Tid3web>(header, stream_);
        } else if (id == "COMM") {
            frame = std::make_unique<Tid3comment>(header, stream_);
        } else if (IsDigitOrCapital(id[0])) {
            frame = std::make_unique<Tid3frame>(header, stream_);
        } else {
            throw Eid3v2(
                Format(msg::InvalidChunkType, tag_.FileName().c_str(), PrintableID(id).c_str()));
        }
        tag_.AddFrame(id, std::move(frame));
    }

    Tid3v2& tag_;
    TSeekableStream& stream_;
    uint8_t version_;
};

}  // namespace

Tid3v2::Tid3v2(const std::string& fileName, bool withAudio) : fileName_(fileName) {
    if (!platform::GetFileStatus(fileName_))
        throw Eid3v2(Format(msg::FileNotFound, fileName_.c_str()));
    LoadTags(withAudio);
}

Tid3v2::Tid3v2(const std::string& fileName, TSeekableStream& stream, bool withAudio)
    : fileName_(fileName), stream_(&stream) {
    LoadTags(withAudio);
}

Tid3v2::~Tid3v2() = default;

void Tid3v2::LoadTags(bool withAudio) {
    Audio.reset();
    frames_.clear();
    positions_.clear();
    TagKind = 0;
    FileLength = 0;
    majorVersion_ = 0;
    if (stream_) {
        Load(*stream_, withAudio);
    } else {
        TMediaInput input(fileName_);
        Load(input, withAudio);
    }
}

void Tid3v2::Load(TSeekableStream& stream, bool withAudio) {
    TStrictScope strict(stream, true);
    FileLength = stream.Size();
    stream.Seek(0);
    uint8_t header[kTagHeaderSize];
    stream.Read(header, kTagHeaderSize);

    int64_t& audioStart = AudioStart;
    audioStart = 0;
    if (std::memcmp(header, "ID3", 3) != 0) {
        ReadId3v1(*this, stream);
    } else {
        TagKind = 2;
        majorVersion_ = header[3];
        const uint8_t flags = header[5];
        const int64_t tagSize = ReadSynchsafe32(header + 6);
        audioStart = tagSize + kTagHeaderSize;
        if (majorVersion_ == 4 && (flags & kTagFooter)) audioStart += kFooterSize;

        if (majorVersion_ == 2 && (flags & kTagCompressed)) {
            // No reader knows the compression; the frames are left out, the audio is not.
        } else if (majorVersion_ <= 3 && (flags & kTagUnsynchronised)) {
            // Sizes inside the body count its bytes with the unsynchronisation undone.
            if (tagSize > stream.Remaining()) throw EInOutError(msg::ReadLessThanExpected);
            std::vector<uint8_t> body(static_cast<size_t>(tagSize));
            if (!body.empty()) stream.Read(body.data(), static_cast<int32_t>(body.size()));
            RemoveUnsynchronisation(body);
            const auto bodySize = static_cast<int64_t>(body.size());
            TMediaInput bodyStream(std::move(body));
            TFrameReader(*this, bodyStream, majorVersion_).ReadBody(bodySize, flags);
        } else {
            TFrameReader(*this, stream, majorVersion_).ReadBody(tagSize, flags);
        }
    }

    if (withAudio) {
        stream.Seek(audioStart);
        Audio = TMPEGAudio::ScanAllFrames(stream);
    }
}

Tid3frame* Tid3v2::FindFrame(std::string_view frameID) const {
    const auto found = positions_.find(std::string(frameID));
    return found == positions_.end() ? nullptr : frames_[found->second].get();
}

void Tid3v2::AddFrame(std::string_view frameID, std::unique_ptr<Tid3frame> frame) {
    if (frame->FrameID != frameID) {
        throw Eid3v2(Format(msg::FrameAddedUnderOtherID, frame->FrameID.c_str(),
                            std::string(frameID).c_str()));
    }
    const std::string id(frameID);
    if (const auto found = positions_.find(id); found != positions_.end()) {
        frames_[found->second] = std::move(frame);
        return;
    }
    frames_.push_back(std::move(frame));
    try {
        positions_.emplace(id, frames_.size() - 1);
    } catch (...) {
        frames_.pop_back();  // a frame the index does not know would be unreachable
        throw;
    }
}

}  // namespace tracklore
