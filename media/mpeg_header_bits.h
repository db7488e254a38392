// The 32-bit header word that opens every MPEG audio frame: its bit picture, a mask for each
// field and small extractors, shared by the frame walk, the quick analysis and the summary
// header reader.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace tracklore::mpeg {

// The header word, most significant bit first (the first byte of the frame on the left):
//
//   AAAAAAAA AAABBCCD EEEEFFGH IIJJKLMM
//
//   A  sync: all eleven bits set                                      kSyncMask
//   B  version: 0 = MPEG 2.5, 1 reserved, 2 = MPEG-2, 3 = MPEG-1      kVersionMask
//   C  layer: 0 reserved, 1 = Layer III, 2 = Layer II, 3 = Layer I    kLayerMask
//   D  protection: 0 means a 16-bit CRC follows the header            kProtectionBit
//   E  bit-rate index (see the rate table of mpeg_audio.cpp)          kBitRateMask
//   F  sample-rate index (3 is reserved)                              kSampleRateMask
//   G  padding: the frame has one slot more                           kPaddingBit
//   H  private, free for applications                                 kPrivateBit
//   I  channel mode: 0 stereo, 1 joint stereo, 2 dual channel, 3 mono kChannelModeMask
//   J  mode extension (joint stereo only)                             kModeExtensionMask
//   K  copyright                                                      kCopyrightBit
//   L  original (0 = a copy)                                          kOriginalBit
//   M  emphasis: 0 none, 1 50/15 ms, 2 reserved, 3 CCIT J.17          kEmphasisMask
inline constexpr uint32_t kSyncMask = 0xFFE00000;
inline constexpr uint32_t kVersionMask = 0x00180000;
inline constexpr uint32_t kLayerMask = 0x00060000;
inline constexpr uint32_t kProtectionBit = 0x00010000;
inline constexpr uint32_t kBitRateMask = 0x0000F000;
inline constexpr uint32_t kSampleRateMask = 0x00000C00;
inline constexpr uint32_t kPaddingBit = 0x00000200;
inline constexpr uint32_t kPrivateBit = 0x00000100;
inline constexpr uint32_t kChannelModeMask = 0x000000C0;
inline constexpr uint32_t kModeExtensionMask = 0x00000030;
inline constexpr uint32_t kCopyrightBit = 0x00000008;
inline constexpr uint32_t kOriginalBit = 0x00000004;
inline constexpr uint32_t kEmphasisMask = 0x00000003;

// The fields tile the word: no bit is in two of them and none is left out.
static_assert([] {
    uint32_t seen = 0;
    for (const uint32_t field : {kSyncMask, kVersionMask, kLayerMask, kProtectionBit, kBitRateMask,
                                 kSampleRateMask, kPaddingBit, kPrivateBit, kChannelModeMask,
                                 kModeExtensionMask, kCopyrightBit, kOriginalBit, kEmphasisMask}) {
        if ((seen & field) != 0) return false;
        seen |= field;
    }
    return seen == 0xFFFFFFFF;
}());

/// What stays the same in every frame of one stream kind: sync, version, layer and sample
/// rate. Protection, padding and the rest may change from frame to frame.
inline constexpr uint32_t kKindMask = kSyncMask | kVersionMask | kLayerMask | kSampleRateMask;
/// The kind and the bit-rate index: frames of one kind at one rate.
inline constexpr uint32_t kKindAndRateMask = kKindMask | kBitRateMask;

/// Version codes as stored in field B.
inline constexpr uint32_t kVersion1Bits = 3, kVersion2Bits = 2, kVersion25Bits = 0,
                          kReservedVersionBits = 1;
/// Layer codes as stored in field C.
inline constexpr uint32_t kLayer1Bits = 3, kLayer2Bits = 2, kLayer3Bits = 1, kReservedLayerBits = 0;
/// Channel modes as stored in field I.
inline constexpr uint32_t kJointStereoBits = 1, kMonoBits = 3;

/// The value of the field `mask` covers, moved down to bit 0.
constexpr uint32_t Field(uint32_t word, uint32_t mask) {
    return (word & mask) >> std::countr_zero(mask);
}

/// `value` moved up into the field `mask` covers (bits beyond the field are dropped).
constexpr uint32_t Place(uint32_t value, uint32_t mask) {
    return (value << std::countr_zero(mask)) & mask;
}

/// `word` with the field `mask` covers set to `value`.
constexpr uint32_t WithField(uint32_t word, uint32_t mask, uint32_t value) {
    return (word & ~mask) | Place(value, mask);
}

constexpr bool HasSync(uint32_t word) {
    return (word & kSyncMask) == kSyncMask;
}
constexpr uint32_t VersionBits(uint32_t word) {
    return Field(word, kVersionMask);
}
constexpr uint32_t LayerBits(uint32_t word) {
    return Field(word, kLayerMask);
}
/// True when a 16-bit CRC follows the header (the protection bit is clear).
constexpr bool HasCrc(uint32_t word) {
    return (word & kProtectionBit) == 0;
}
constexpr uint32_t BitRateIndex(uint32_t word) {
    return Field(word, kBitRateMask);
}
constexpr uint32_t SampleRateIndex(uint32_t word) {
    return Field(word, kSampleRateMask);
}
constexpr uint32_t ChannelModeBits(uint32_t word) {
    return Field(word, kChannelModeMask);
}

}  // namespace tracklore::mpeg
