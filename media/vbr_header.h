// The summary an encoder writes into the first audio frame of a file: a Xing header ("Xing"
// for variable, "Info" for constant bit rate) or a VBRI header, with the file's frame count
// and byte count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tracklore {

enum class TVbrHeaderKind : uint8_t { Xing, Info, Vbri };

/// What a summary header says; a count the header does not carry is 0.
struct TVbrHeader {
    TVbrHeaderKind Kind = TVbrHeaderKind::Xing;
    uint32_t Frames = 0;  ///< audio frames of the file (the summary frame itself not counted)
    uint32_t Bytes = 0;   ///< bytes of the audio, the summary frame included
};

/// Offset of a Xing header from the start of a Layer III frame with header `word`: 4 for
/// the header, the side information (17 or 32 bytes for MPEG-1, 9 or 17 for MPEG-2 and 2.5,
/// mono or not) and 2 for a CRC. 0 when the word is no Layer III header.
size_t XingOffset(uint32_t word);

/// Offset of a VBRI header from the start of a frame: 32 bytes behind the 4-byte header.
inline constexpr size_t kVbriOffset = 36;

/// Reads the summary header of the first frame, given as `size` bytes from its header on
/// (`word` is that header). Only Layer III frames carry one. The counts are as stored: the
/// caller checks them against the file. Returns nothing when there is no header or it is
/// cut off by the end of the bytes.
std::optional<TVbrHeader> ReadVbrHeader(uint32_t word, const uint8_t* frame, size_t size);

}  // namespace tracklore
