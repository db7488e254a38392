// MPEG audio frames: finding the first header, decoding it and walking the frames.
#include "media/mpeg_audio.h"

#include <cstring>
#include <string_view>

#include "core/messages.h"
#include "media/byte_order.h"
#include "media/mpeg_header_bits.h"

namespace tracklore {

namespace {

// Bit rates in kbit/s by bit-rate index (field E of the header). Index 0 is free format (no
// fixed rate), passed on as 0. Index 15 is forbidden: a header with it is unusable and never
// looks the table up. MPEG-2 and MPEG 2.5 share the lower sampling frequencies' rates.
// clang-format off
constexpr uint16_t kBitRates[2][3][16] = {
        // index:         0   1   2   3    4    5    6    7    8    9   10   11   12   13   14 15
    {   // MPEG-1
        /* Layer I    */ {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
        /* Layer II   */ {0, 32, 48, 56,  64,  80,  96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        /* Layer III  */ {0, 32, 40, 48,  56,  64,  80,  96, 112, 128, 160, 192, 224, 256, 320, 0},
    },
    {   // MPEG-2 and MPEG 2.5
        /* Layer I    */ {0, 32, 48, 56,  64,  80,  96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
        /* Layer II   */ {0,  8, 16, 24,  32,  40,  48,  56,  64,  80,  96, 112, 128, 144, 160, 0},
        /* Layer III  */ {0,  8, 16, 24,  32,  40,  48,  56,  64,  80,  96, 112, 128, 144, 160, 0},
    },
};

// Sampling frequencies in Hz by version (1 = MPEG-1, 2 = MPEG-2, 3 = MPEG 2.5) and
// sample-rate index (field F of the header); index 3 is reserved.
constexpr uint16_t kSampleRates[3][4] = {
    // index:           0      1      2  3
    /* MPEG-1   */ {44100, 48000, 32000, 0},
    /* MPEG-2   */ {22050, 24000, 16000, 0},
    /* MPEG 2.5 */ {11025, 12000,  8000, 0},
};
// clang-format on

// Bytes per frame before padding, (slot bytes x bit rate) div sample rate in unsigned 32-bit
// arithmetic, for every version, layer, bit-rate index and usable sample-rate index. Worked
// out once here, the frame walk decodes a header without a division.
struct TFrameBytes {
    uint32_t bytes[3][3][16][3];
};

constexpr TFrameBytes MakeFrameBytes() {
    TFrameBytes table{};
    for (int version = 1; version <= 3; ++version) {
        for (int layer = 1; layer <= 3; ++layer) {
            const uint32_t slot = layer == 1                   ? 12000u
                                  : layer == 3 && version != 1 ? 72000u
                                                               : 144000u;
            for (int rate = 0; rate < 16; ++rate) {
                const uint32_t bitRate = kBitRates[version == 1 ? 0 : 1][layer - 1][rate];
                for (int sample = 0; sample < 3; ++sample) {
                    table.bytes[version - 1][layer - 1][rate][sample] =
                        slot * bitRate / kSampleRates[version - 1][sample];
                }
            }
        }
    }
    return table;
}

constexpr TFrameBytes kFrameBytes = MakeFrameBytes();

constexpr std::string_view kVersionNames[4] = {"unknown", "MPEG v.1", "MPEG v.2", "MPEG v.2.5"};
constexpr std::string_view kLayerNames[4] = {"unknown", "Layer I", "Layer II", "Layer III"};
constexpr std::string_view kChannelModeNames[4] = {"Stereo", "Joint Stereo", "Dual Channel",
                                                   "Mono"};
constexpr std::string_view kEmphasisNames[4] = {"none", "50/15 ms", "reserved", "CCIT J.17"};

constexpr int32_t kId3v2HeaderSize = 10;

}  // namespace

bool TMPEGAudio::ParseHeader(uint32_t word) {
    if (!mpeg::HasSync(word)) {
        Version = 0;
        return false;
    }
    switch (mpeg::VersionBits(word)) {
        case mpeg::kVersion25Bits: Version = 3; break;
        case mpeg::kVersion2Bits: Version = 2; break;
        case mpeg::kVersion1Bits: Version = 1; break;
        default: Version = 0; return false;
    }
    const uint32_t layerBits = mpeg::LayerBits(word);
    if (layerBits == mpeg::kReservedLayerBits) {
        Layer = 0;
        return false;
    }
    Layer = static_cast<uint8_t>(4 - layerBits);

    ProtectionBit = (word & mpeg::kProtectionBit) != 0;
    Padding = (word & mpeg::kPaddingBit) != 0;
    PrivateBit = (word & mpeg::kPrivateBit) != 0;
    ChannelMode = static_cast<uint8_t>(mpeg::ChannelModeBits(word));
    ModeExtension = static_cast<uint8_t>(mpeg::Field(word, mpeg::kModeExtensionMask));
    Copyright = (word & mpeg::kCopyrightBit) != 0;
    Original = (word & mpeg::kOriginalBit) != 0;
    Emphasis = static_cast<uint8_t>(mpeg::Field(word, mpeg::kEmphasisMask));

    const uint32_t bitRateIndex = mpeg::BitRateIndex(word);
    const uint32_t sampleRateIndex = mpeg::SampleRateIndex(word);
    // The forbidden index is no rate at all. Read as a rate (65535 kbit/s) it would let words
    // of junk pass as frames and pull the mean rate of a walk towards it; cleared, it makes
    // the walk search on for a real header, as a reserved sample rate does.
    if (bitRateIndex == 15) {
        BitRate = 0;
        return false;
    }
    BitRate = kBitRates[Version == 1 ? 0 : 1][Layer - 1][bitRateIndex];
    SampleRate = kSampleRates[Version - 1][sampleRateIndex];
    if (SampleRate == 0) return false;

    // Unsigned 32-bit arithmetic kept in 16 bits: free format (bit rate 0) leaves only the
    // padding. Layer I counts 4-byte slots.
    const uint32_t padding = Padding ? 1 : 0;
    uint32_t length = kFrameBytes.bytes[Version - 1][Layer - 1][bitRateIndex][sampleRateIndex];
    length = Layer == 1 ? (length + padding) * 4u : length + padding;
    FrameLength = static_cast<uint16_t>(length);

    const auto codes =
        static_cast<uint16_t>(Version | Layer << 2 | ChannelMode << 4 | Emphasis << 6);
    if (codes != textCodes_) {
        VersionName = kVersionNames[Version];
        LayerName = kLayerNames[Layer];
        ChannelModeName = kChannelModeNames[ChannelMode];
        EmphasisName = kEmphasisNames[Emphasis];
        textCodes_ = codes;
    }
    return true;
}

int TMPEGAudio::SamplesPerFrame() const {
    if (Layer == 1) return 384;
    if (Layer == 3 && Version != 1) return 576;
    return 1152;
}

void TMPEGAudio::FindFirstHeader(TSeekableStream& stream) {
    // The size test looks at the whole stream, not at what follows the position.
    if (stream.Size() < 4) throw EMPEGError(msg::MPEGTooSmall);
    SkipFurtherTags(stream);
    uint32_t window = 0;
    uint8_t byte = 0;
    // The first usable header that no frame confirmed: taken when none is confirmed, so a
    // stream of one frame cut short, or of free-format frames, is read as before.
    int64_t unconfirmedAt = -1;
    uint32_t unconfirmedWord = 0;
    while (stream.Read(&byte, 1) == 1) {
        window = (window << 8) | byte;
        if (!ParseHeader(window)) continue;
        // Four bytes that look like a header turn up in tags, pictures and other junk in
        // front of the audio; a real first frame is followed by another of its kind (or by
        // the end of the audio).
        const int64_t at = stream.Position() - 4;
        if (FrameIsFollowed(stream, at)) {
            stream.Seek(at + 4);
            return;
        }
        if (unconfirmedAt < 0) {
            unconfirmedAt = at;
            unconfirmedWord = window;
        }
        // The search goes on with the byte after the candidate's first one.
        stream.Seek(at + 4);
    }
    if (unconfirmedAt >= 0) {
        ParseHeader(unconfirmedWord);
        stream.Seek(unconfirmedAt + 4);
        return;
    }
    // Not one sync bit in the last word: no header at all; some of them: a broken one.
    if ((window & mpeg::kSyncMask) == 0) throw EMPEGError(msg::MPEGHeaderNotFound);
    if (!ParseHeader(window)) throw EMPEGError(msg::MPEGHeaderInvalid);
}

bool TMPEGAudio::FrameIsFollowed(TSeekableStream& stream, int64_t at) const {
    // A free-format frame gives no length to find the next one by.
    if (FrameLength < 4) return false;
    const int64_t next = at + FrameLength;
    const int64_t size = stream.Size();
    if (next == size) return true;
    uint8_t bytes[4];
    stream.Seek(next);
    if (stream.Read(bytes, 4) < 4) return false;
    if (size - next == kId3v1Size && std::memcmp(bytes, "TAG", 3) == 0) return true;
    TMPEGAudio probe;
    return probe.ParseHeader(ReadBigEndian32(bytes)) && probe.Version == Version &&
           probe.Layer == Layer && probe.SampleRate == SampleRate;
}

void TMPEGAudio::SkipFurtherTags(TSeekableStream& stream) {
    for (;;) {
        const int64_t at = stream.Position();
        uint8_t header[kId3v2HeaderSize];
        const bool read = stream.Read(header, kId3v2HeaderSize) == kId3v2HeaderSize;
        // "ID3", a version and revision below FF, flags, and a synchsafe size.
        const bool tag = read && std::memcmp(header, "ID3", 3) == 0 && header[3] != 0xFF &&
                         header[4] != 0xFF &&
                         (header[6] | header[7] | header[8] | header[9]) < 0x80;
        int64_t end = 0;
        if (tag) {
            const int64_t body = ReadSynchsafe32(header + 6);
            const bool footer = header[3] >= 4 && (header[5] & 0x10) != 0;
            end = at + kId3v2HeaderSize + body + (footer ? kId3v2HeaderSize : 0);
        }
        // A tag whose size runs beyond the stream is not trusted: its bytes are searched.
        if (!tag || end > stream.Size()) {
            stream.Seek(at);
            return;
        }
        stream.Seek(end);
    }
}

void TMPEGAudio::WalkFrames(TSeekableStream& stream) {
    // The walk leaves the other fields as the last word decoded them, which may be junk at
    // the end of the stream; the sample rate stays the first frame's.
    const uint16_t firstSampleRate = SampleRate;
    uint64_t bitRateSum = 0;
    uint32_t frames = 0;
    // A word that fails the sync, version or layer test leaves the previous frame's length
    // and rates in place and is counted as one more frame of that kind, so its play time is
    // that of the last header that decoded completely.
    double frameSeconds = static_cast<double>(SamplesPerFrame()) / SampleRate;
    // Most files repeat a handful of header words. While no decoding has failed since the
    // last successful one, the fields still hold exactly what that word gave, so the same
    // word need not be decoded again.
    uint32_t lastGood = 0;
    bool intact = false;
    const auto decode = [&](uint32_t word) {
        if (intact && word == lastGood) return;
        intact = ParseHeader(word);
        if (!intact) return;
        lastGood = word;
        // A failed decoding that touches the sample rate clears it, which forces a search
        // for the next complete header, so the rate here is the one every counted frame has.
        frameSeconds = static_cast<double>(SamplesPerFrame()) / SampleRate;
    };
    for (;;) {
        bitRateSum += BitRate;
        ++frames;
        Duration += frameSeconds;

        // The header's four bytes are already read. Every counted frame has a length of at
        // least 4, except a free-format first frame with padding (1 to 3), which steps back
        // a little; the four bytes read next still leave the walk beyond the frame's start.
        if (FrameLength > 0) stream.Seek(stream.Position() + FrameLength - 4);

        uint8_t bytes[4] = {0, 0, 0, 0};
        // A partial header at the end of the stream is not a frame: the walk ends there.
        if (stream.Read(bytes, 4) < 4) break;
        uint32_t window = ReadBigEndian32(bytes);
        decode(window);

        // Without a frame length and both rates the next frame cannot be found by jumping:
        // shift in one byte at a time until a header provides them, or the stream ends.
        bool more = true;
        while (!(FrameLength != 0 && SampleRate != 0 && BitRate != 0)) {
            uint8_t byte = 0;
            if (stream.Read(&byte, 1) != 1) {
                more = false;
                break;
            }
            window = (window << 8) | byte;
            decode(window);
        }
        if (!more) break;
    }
    FrameCount = frames;
    BitRate = static_cast<uint16_t>(bitRateSum / frames);
    SampleRate = firstSampleRate;
    LengthSource = TLengthSource::Walk;
}

std::unique_ptr<TMPEGAudio> TMPEGAudio::Analyse(TSeekableStream& stream,
                                                void (TMPEGAudio::*rest)(TSeekableStream&)) {
    // Short counts, not errors, for the time of the analysis.
    TStrictScope nonStrict(stream, false);
    auto audio = std::make_unique<TMPEGAudio>();
    audio->FindFirstHeader(stream);
    if (rest != nullptr) ((*audio).*rest)(stream);
    return audio;
}

std::unique_ptr<TMPEGAudio> TMPEGAudio::ReadFirstHeader(TSeekableStream& stream) {
    return Analyse(stream, nullptr);
}

std::unique_ptr<TMPEGAudio> TMPEGAudio::ScanAllFrames(TSeekableStream& stream) {
    return Analyse(stream, &TMPEGAudio::WalkFrames);
}

std::unique_ptr<TMPEGAudio> TMPEGAudio::ScanQuick(TSeekableStream& stream) {
    return Analyse(stream, &TMPEGAudio::QuickLength);
}

}  // namespace tracklore
