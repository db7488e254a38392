// TLZ77Stream: a filter stream that compresses what is written to it and decompresses what
// is read from it, with a small sliding window and tokens packed in 4-bit units.
#pragma once

#include <cstdint>
#include <memory>

#include "streams/stream.h"

namespace tracklore {

/// The bit count b of the compressed format: window 16 * 2^(8-b) bytes, lookahead 2^b.
inline constexpr int LZ77Bits = 4;

/*
 * Compressed format, b = bits (4 here; 3 is also accepted):
 *
 *   nibbles packed low half first:   byte 0 = [ nibble 1 | nibble 0 ]   byte 1 = [ 3 | 2 ] ...
 *   an 8-bit value is two consecutive nibbles, low nibble first (it may straddle two bytes)
 *
 *   token T (8 bits):   7 ......... b | b-1 ...... 0
 *                       [      X       |     Lc      ]
 *
 *   Lc = 0   literal run: X + 1 bytes follow, each as an 8-bit value          (1 .. 2^(8-b))
 *   Lc > 0   back-reference of Lc + 1 bytes (2 .. 2^b); one more nibble N follows;
 *            the bytes are copied from window index X * 16 + N on, wrapping at the end
 *
 * Both sides keep the same window: for each uncompressed byte the position p advances by one
 * (wrapping) and then the byte is stored at p, so the first byte lands at index 1. A final
 * odd nibble is padded with a zero high half; there is no end marker.
 */
class TLZ77Stream : public TFilterStream {
public:
    /// A writer when `inner` can write, else a reader when it can read. `bits` must be 3 or 4,
    /// else EBadFormat "Bad compression parameters".
    explicit TLZ77Stream(TBaseStream* inner, int bits = LZ77Bits);
    /// Flushes a writer (errors are swallowed; call Flush first to see them).
    ~TLZ77Stream() override;

    /// Compresses `count` bytes. Returns `count`, or, when the inner stream refuses a byte,
    /// the bytes taken before the failing step (0 from then on). Raises EInOutError "Stream
    /// not open for write" on a reader and on a writer that was flushed.
    int32_t Write(const void* buffer, int32_t count) override;
    /// Decompresses up to `count` bytes; fewer when the compressed data ends. Raises
    /// EInOutError "Cannot read from stream" on a writer.
    int32_t Read(void* buffer, int32_t count) override;
    /// The inner stream's Remaining plus the bytes held here (read ahead, decoded but not
    /// delivered, or waiting in the lookahead).
    int64_t Remaining() override;
    /// Writer: encodes everything pending and writes the final half byte; raises EInOutError
    /// "Error writing to stream - " when the inner stream refused any byte. The writer takes
    /// no more data afterwards. Reader: drops a pending half byte.
    void Flush() override;
    /// Zero-fills the window.
    virtual void ResetWindow();

    int Bits() const { return bits_; }

private:
    struct Window;
    class NibbleSink;

    bool EncodeStep();
    void FindMatch(const uint8_t* look, int n, int& bestLength, int& bestIndex) const;
    bool WriteOut(const uint8_t* bytes, int count);
    // Decodes one token into `out` (room for sizeof waiting_ bytes); waitCount_ its length.
    bool DecodeToken(uint8_t* out);
    bool NextByte(uint8_t& byte);
    bool ReadNibble(uint8_t& value);
    bool ReadValue(uint8_t& value);
    bool Refill();

    int bits_;
    int windowSize_;
    int lookaheadSize_;
    int maxRun_;
    bool writer_ = false;
    bool finished_ = false;  // a flushed writer takes no more data
    bool failed_ = false;    // the inner stream refused a byte: the output is broken
    std::unique_ptr<Window> window_;

    uint8_t acc_ = 0;  // nibble accumulator A
    int accBits_ = 0;  // nibble count c: 0 or 4 between operations

    // Writer: lookahead bytes look_[lookStart_ .. lookStart_ + lookFill_), pending run. The
    // match search may read 16 bytes from any start below 64.
    static constexpr int kLookRoom = 64;
    uint8_t look_[kLookRoom + 16] = {};
    int lookStart_ = 0;
    int lookFill_ = 0;
    uint8_t run_[32] = {};
    int runLength_ = 0;

    // Reader: compressed bytes read ahead, and decoded bytes not yet delivered.
    std::unique_ptr<uint8_t[]> in_;
    int inPos_ = 0;
    int inFill_ = 0;
    uint8_t waiting_[32] = {};
    int waitStart_ = 0;
    int waitCount_ = 0;
};

}  // namespace tracklore
