// Hand-made MPEG audio frames for tests: a header word from its fields and frames of a given
// length with silent (zero) bodies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/mpeg_header_bits.h"

namespace tracklore::test {

/// Version bits as stored in the header.
inline constexpr uint32_t kMpeg1 = mpeg::kVersion1Bits, kMpeg2 = mpeg::kVersion2Bits,
                          kMpeg25 = mpeg::kVersion25Bits,
                          kReservedVersion = mpeg::kReservedVersionBits;
/// Layer bits as stored in the header.
inline constexpr uint32_t kLayer1 = mpeg::kLayer1Bits, kLayer2 = mpeg::kLayer2Bits,
                          kLayer3 = mpeg::kLayer3Bits, kReservedLayer = mpeg::kReservedLayerBits;

/// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, no padding, joint stereo: 417-byte frames.
inline constexpr uint32_t kMp3Header128 = 0xFFFB9064;

/// A header word with the sync bits set, no CRC, joint stereo with mode extension 2, the
/// original bit set.
inline uint32_t HeaderWord(uint32_t versionBits, uint32_t layerBits, uint32_t bitRateIndex,
                           uint32_t sampleRateIndex, bool padding = false) {
    using namespace mpeg;
    return kSyncMask | Place(versionBits, kVersionMask) | Place(layerBits, kLayerMask) |
           kProtectionBit | Place(bitRateIndex, kBitRateMask) |
           Place(sampleRateIndex, kSampleRateMask) | (padding ? kPaddingBit : 0u) |
           Place(kJointStereoBits, kChannelModeMask) | Place(2, kModeExtensionMask) | kOriginalBit;
}

/// The four header bytes in file order.
inline std::vector<uint8_t> HeaderBytes(uint32_t word) {
    return {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
            static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
}

/// Appends `count` frames of `length` bytes (header included, at least 4) to `out`.
inline void AppendFrames(std::vector<uint8_t>& out, uint32_t word, size_t length,
                         size_t count = 1) {
    const auto header = HeaderBytes(word);
    for (size_t i = 0; i < count; ++i) {
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), length - 4, 0);
    }
}

/// `count` frames of `length` bytes.
inline std::vector<uint8_t> Frames(uint32_t word, size_t length, size_t count) {
    std::vector<uint8_t> out;
    out.reserve(length * count);
    AppendFrames(out, word, length, count);
    return out;
}

/// `count` frames of kMp3Header128 as text: the smallest file the scanner accepts as audio.
inline std::string Mp3FrameBytes(int count) {
    const std::vector<uint8_t> bytes = Frames(kMp3Header128, 417, static_cast<size_t>(count));
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace tracklore::test
