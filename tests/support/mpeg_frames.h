// Hand-made MPEG audio frames for tests: a header word from its fields and frames of a given
// length with silent (zero) bodies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tracklore::test {

/// Version bits as stored in the header.
inline constexpr uint32_t kMpeg1 = 3, kMpeg2 = 2, kMpeg25 = 0, kReservedVersion = 1;
/// Layer bits as stored in the header.
inline constexpr uint32_t kLayer1 = 3, kLayer2 = 2, kLayer3 = 1, kReservedLayer = 0;

/// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, no padding, joint stereo: 417-byte frames.
inline constexpr uint32_t kMp3Header128 = 0xFFFB9064;

/// A header word with the sync bits set, no CRC, joint stereo, the original bit set.
inline uint32_t HeaderWord(uint32_t versionBits, uint32_t layerBits, uint32_t bitRateIndex,
                           uint32_t sampleRateIndex, bool padding = false) {
    return 0xFFE00000u | (versionBits << 19) | (layerBits << 17) | (1u << 16) |
           (bitRateIndex << 12) | (sampleRateIndex << 10) | (padding ? 1u << 9 : 0u) | 0x64u;
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

}  // namespace tracklore::test
