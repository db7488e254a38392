// Reading big-endian numbers from bytes, as MPEG headers and their summary headers store them.
#pragma once

#include <cstdint>

namespace tracklore {

/// The four bytes at `bytes` as an ID3v2 synchsafe number: each byte shifted in by 7 bits
/// (the bytes' top bits are not masked).
inline uint32_t ReadSynchsafe32(const uint8_t* bytes) {
    return (((((uint32_t{bytes[0]} << 7) | bytes[1]) << 7) | bytes[2]) << 7) | bytes[3];
}

/// The four bytes at `bytes` as one big-endian number.
inline uint32_t ReadBigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

}  // namespace tracklore
