// The encoder's summary in the first frame: Xing, Info and VBRI headers found and read.
#include "media/vbr_header.h"

#include <cstring>

#include "media/byte_order.h"
#include "media/mpeg_header_bits.h"

namespace tracklore {

namespace {

// Xing flags: which optional fields follow the flags word, in this order.
constexpr uint32_t kHasFrames = 0x1;
constexpr uint32_t kHasBytes = 0x2;

bool IsLayer3(uint32_t word) {
    return mpeg::HasSync(word) && mpeg::VersionBits(word) != mpeg::kReservedVersionBits &&
           mpeg::LayerBits(word) == mpeg::kLayer3Bits;
}

std::optional<TVbrHeader> ReadXing(uint32_t word, const uint8_t* frame, size_t size) {
    const size_t at = XingOffset(word);
    // The tag and the flags word must both be there.
    if (at == 0 || size < at + 8) return std::nullopt;
    TVbrHeader header;
    if (std::memcmp(frame + at, "Xing", 4) == 0) {
        header.Kind = TVbrHeaderKind::Xing;
    } else if (std::memcmp(frame + at, "Info", 4) == 0) {
        header.Kind = TVbrHeaderKind::Info;
    } else {
        return std::nullopt;
    }
    const uint32_t flags = ReadBigEndian32(frame + at + 4);
    size_t field = at + 8;
    if (flags & kHasFrames) {
        if (size < field + 4) return std::nullopt;
        header.Frames = ReadBigEndian32(frame + field);
        field += 4;
    }
    if (flags & kHasBytes) {
        if (size < field + 4) return std::nullopt;
        header.Bytes = ReadBigEndian32(frame + field);
    }
    return header;
}

// VBRI: tag, version (2), delay (2), quality (2), bytes (4), frames (4), then the table.
std::optional<TVbrHeader> ReadVbri(const uint8_t* frame, size_t size) {
    constexpr size_t kBytesAt = kVbriOffset + 10;
    constexpr size_t kFramesAt = kVbriOffset + 14;
    if (size < kFramesAt + 4 || std::memcmp(frame + kVbriOffset, "VBRI", 4) != 0) {
        return std::nullopt;
    }
    TVbrHeader header;
    header.Kind = TVbrHeaderKind::Vbri;
    header.Bytes = ReadBigEndian32(frame + kBytesAt);
    header.Frames = ReadBigEndian32(frame + kFramesAt);
    return header;
}

}  // namespace

size_t XingOffset(uint32_t word) {
    if (!IsLayer3(word)) return 0;
    const bool mpeg1 = mpeg::VersionBits(word) == mpeg::kVersion1Bits;
    const bool mono = mpeg::ChannelModeBits(word) == mpeg::kMonoBits;
    const bool crc = mpeg::HasCrc(word);
    const size_t sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    return 4 + sideInfo + (crc ? 2 : 0);
}

std::optional<TVbrHeader> ReadVbrHeader(uint32_t word, const uint8_t* frame, size_t size) {
    if (frame == nullptr || !IsLayer3(word)) return std::nullopt;
    if (auto xing = ReadXing(word, frame, size)) return xing;
    return ReadVbri(frame, size);
}

}  // namespace tracklore
