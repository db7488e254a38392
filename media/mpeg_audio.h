// MPEG audio frame headers: finding the first one in a stream, decoding it, and finding the
// play time and the mean bit rate by walking all frames, or quickly from the first frames.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "streams/stream.h"

namespace tracklore {

/// The bytes of an ID3v1 tag ("TAG" and its fields) at the end of a file.
inline constexpr int64_t kId3v1Size = 128;

/// A stream holds no usable MPEG audio header; carries one of three messages.
class EMPEGError : public std::runtime_error {
public:
    explicit EMPEGError(const std::string& message) : std::runtime_error(message) {}
};

/// Where the play time and the mean bit rate of an analysis came from.
enum class TLengthSource : uint8_t {
    None,          ///< not worked out (ReadFirstHeader)
    Walk,          ///< every frame walked
    XingHeader,    ///< the first frame's Xing or Info header
    VbriHeader,    ///< the first frame's VBRI header
    ConstantRate,  ///< frames of one bit rate: the audio bytes over the frame length
};

class TMPEGAudio {
public:
    /// Frames at the start that must share one bit rate (as must a few at each quarter of the
    /// audio) before a file without a summary header is taken as constant bit rate.
    static constexpr int kSameRateFrames = 32;

    uint8_t Version = 0;  ///< 0 unknown, 1 MPEG-1, 2 MPEG-2, 3 MPEG 2.5
    std::string VersionName;
    uint8_t Layer = 0;  ///< 0 unknown, 1 to 3
    std::string LayerName;
    bool ProtectionBit = false;  ///< as stored: set means no CRC follows
    uint16_t BitRate = 0;        ///< kbit/s; after ScanAllFrames the mean of all frames
    uint16_t SampleRate = 0;     ///< Hz
    bool Padding = false;
    bool PrivateBit = false;
    bool Copyright = false;
    bool Original = false;
    uint8_t ChannelMode = 0;
    std::string ChannelModeName;
    uint8_t Emphasis = 0;
    std::string EmphasisName;
    uint8_t ModeExtension = 0;
    uint16_t FrameLength = 0;  ///< bytes, header included
    double Duration = 0;       ///< seconds counted by ScanAllFrames
    uint32_t FrameCount = 0;   ///< frames counted by ScanAllFrames (0 after ReadFirstHeader)
    TLengthSource LengthSource = TLengthSource::None;

    /// Decodes a header word (the four bytes big-endian) into the fields; true when usable.
    /// A failed test returns at once, leaving the fields not yet reached as they were. The
    /// forbidden bit-rate index 15 is unusable and sets BitRate to 0.
    bool ParseHeader(uint32_t word);

    /// Searches `stream` from its position (after any ID3v2 tags standing there) for the
    /// first usable header whose frame is followed by another header of its version, layer
    /// and sample rate, or ends at the end of the stream or at an ID3v1 tag; without such
    /// a header the first usable one. Leaves the stream just behind it. Raises EMPEGError.
    static std::unique_ptr<TMPEGAudio> ReadFirstHeader(TSeekableStream& stream);
    /// ReadFirstHeader, then walks every frame to the end of the stream: Duration is the
    /// total play time, BitRate the mean bit rate, SampleRate the first frame's.
    /// Raises EMPEGError.
    static std::unique_ptr<TMPEGAudio> ScanAllFrames(TSeekableStream& stream);

    /// ReadFirstHeader, then Duration, FrameCount and BitRate from what the start of the
    /// audio tells, reading only a few places of the stream: a Xing, Info or VBRI header in
    /// the first frame whose counts fit the file (Duration = frames x samples per frame /
    /// sample rate; BitRate from the header's byte count, or else the audio bytes, over that
    /// time; an Info header keeps the first frame's rate); without one, when the first
    /// kSameRateFrames frames and a few at each quarter of the audio share the first frame's
    /// bit rate, the audio bytes (up to a trailing ID3v1 tag) over the mean frame length.
    /// Otherwise every frame is walked as by ScanAllFrames. SampleRate is the first frame's
    /// in every case.
    /// Raises EMPEGError.
    static std::unique_ptr<TMPEGAudio> ScanQuick(TSeekableStream& stream);

    /// Samples in one frame of the current kind: 384, 1152 or 576.
    int SamplesPerFrame() const;

private:
    // Reads the first header with the stream's strict reading off, then runs `rest` (when
    // given) on the stream after it.
    static std::unique_ptr<TMPEGAudio> Analyse(TSeekableStream& stream,
                                               void (TMPEGAudio::*rest)(TSeekableStream&));
    void FindFirstHeader(TSeekableStream& stream);
    // True when the frame of the header just decoded, starting at `at`, is followed by a
    // usable header of the same version, layer and sample rate, or ends exactly at the end
    // of the stream or at an ID3v1 tag there. Moves the stream.
    bool FrameIsFollowed(TSeekableStream& stream, int64_t at) const;
    // Passes over ID3v2 tags standing at the position: a second tag straight after the first
    // (some taggers add one rather than rewrite the old) would otherwise be searched.
    static void SkipFurtherTags(TSeekableStream& stream);
    void WalkFrames(TSeekableStream& stream);
    // The part of ScanQuick after the first header (media/mpeg_quick.cpp).
    void QuickLength(TSeekableStream& stream);

    // The codes the display texts were last written for, so that decoding the headers of a
    // whole file does not rewrite four texts per frame; no codes yet at the start.
    uint16_t textCodes_ = 0x100;
};

}  // namespace tracklore
