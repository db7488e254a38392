// MPEG audio frame headers: finding the first one in a stream, decoding it, and walking all
// frames for the play time and the mean bit rate.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "streams/stream.h"

namespace tracklore {

/// A stream holds no usable MPEG audio header; carries one of three messages.
class EMPEGError : public std::runtime_error {
public:
    explicit EMPEGError(const std::string& message) : std::runtime_error(message) {}
};

class TMPEGAudio {
public:
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

    /// Decodes a header word (the four bytes big-endian) into the fields; true when usable.
    /// A failed test returns at once, leaving the fields not yet reached as they were.
    bool ParseHeader(uint32_t word);

    /// Searches `stream` from its position for the first usable header and leaves the
    /// stream just behind it. Raises EMPEGError.
    static std::unique_ptr<TMPEGAudio> ReadFirstHeader(TSeekableStream& stream);
    /// ReadFirstHeader, then walks every frame to the end of the stream: Duration is the
    /// total play time, BitRate the mean bit rate. Raises EMPEGError.
    static std::unique_ptr<TMPEGAudio> ScanAllFrames(TSeekableStream& stream);

    /// Samples in one frame of the current kind: 384, 1152 or 576.
    int SamplesPerFrame() const;

private:
    void FindFirstHeader(TSeekableStream& stream);
    void WalkFrames(TSeekableStream& stream);

    // The codes the display texts were last written for, so that decoding the headers of a
    // whole file does not rewrite four texts per frame; no codes yet at the start.
    uint16_t textCodes_ = 0x100;
};

}  // namespace tracklore
