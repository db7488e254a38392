// TLZ77Stream: compression of what is written and decompression of what is read.
#include "streams/lz77.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore {

namespace {

// Compressed bytes the reader takes from the inner stream at a time.
constexpr int kReadBlock = 8192;

// Bytes readable past a window's end and a lookahead's start, whatever the bit count: the
// match search compares, and the reader copies a back-reference, 16 bytes at a time.
constexpr int kCompareWidth = 16;

// The number of leading bytes `a` and `b` share, counting at most up to `n` (at most 16);
// both may be read for 16 bytes. Whole words are compared, the first differing byte found
// from the lowest set bit of their difference.
int CommonStart(const uint8_t* a, const uint8_t* b, int n) {
    if constexpr (std::endian::native == std::endian::little) {
        uint64_t wordA = 0;
        uint64_t wordB = 0;
        std::memcpy(&wordA, a, sizeof wordA);
        std::memcpy(&wordB, b, sizeof wordB);
        if (const uint64_t differ = wordA ^ wordB) return std::countr_zero(differ) / 8;
        std::memcpy(&wordA, a + 8, sizeof wordA);
        std::memcpy(&wordB, b + 8, sizeof wordB);
        if (const uint64_t differ = wordA ^ wordB) return 8 + std::countr_zero(differ) / 8;
        return kCompareWidth;
    } else {
        int length = 0;
        while (length < n && a[length] == b[length])
            ++length;
        return length;
    }
}

}  // namespace

// The sliding window. The first `lookahead` bytes are mirrored after the end so that a match
// or a copy that wraps can be read as one run of bytes. The writer also keeps, per byte value,
// a bit set of the window indices holding that value, so its match search visits exactly the
// indices a full scan would find, in the same ascending order.
struct TLZ77Stream::Window {
    Window(int windowSize, int lookaheadSize, bool withSets)
        : size(windowSize),
          mask(windowSize - 1),
          lookahead(lookaheadSize),
          words(windowSize / 64),
          bytes(static_cast<size_t>(windowSize + std::max(lookaheadSize, kCompareWidth))),
          sets(withSets ? static_cast<size_t>(256 * windowSize / 64) : 0) {}

    const uint64_t* Set(uint8_t value) const { return sets.data() + value * words; }

    void Reset() {
        std::fill(bytes.begin(), bytes.end(), 0);
        if (sets.empty()) return;
        std::fill(sets.begin(), sets.end(), 0);
        std::fill(sets.begin(), sets.begin() + words, ~uint64_t{0});  // every index holds 0
    }

    // Advances the position and stores one byte there, keeping the bit sets current.
    void Store(uint8_t value) {
        pos = (pos + 1) & mask;
        const uint8_t old = bytes[pos];
        const uint64_t bit = uint64_t{1} << (pos & 63);
        const int word = pos >> 6;
        sets[old * words + word] &= ~bit;
        sets[value * words + word] |= bit;
        bytes[pos] = value;
        if (pos < lookahead) bytes[size + pos] = value;
    }

    // Advances and stores `count` bytes (reader side: no bit sets).
    void StoreBlock(const uint8_t* source, int count) {
        while (count > 0) {
            const int start = (pos + 1) & mask;
            const int chunk = std::min(count, size - start);
            std::memcpy(bytes.data() + start, source, chunk);
            if (start < lookahead) {
                const int mirrored = std::min(chunk, lookahead - start);
                std::memcpy(bytes.data() + size + start, source, mirrored);
            }
            pos = start + chunk - 1;
            source += chunk;
            count -= chunk;
        }
    }

    int size;
    int mask;
    int lookahead;
    int words;
    int pos = 0;
    std::vector<uint8_t> bytes;
    std::vector<uint64_t> sets;
};

// Packs the nibbles of one encoding step into bytes, low nibble first. The accumulator lives
// in the stream between steps; the finished bytes go to the inner stream in one write.
class TLZ77Stream::NibbleSink {
public:
    NibbleSink(uint8_t& acc, int& accBits) : acc_(acc), accBits_(accBits) {}

    void Put(unsigned value, int width) {
        acc_ |= static_cast<uint8_t>(value << accBits_);
        accBits_ += width;
        if (accBits_ == 8) {
            bytes_[count_++] = acc_;
            acc_ = 0;
            accBits_ = 0;
        } else if (accBits_ == 12) {
            bytes_[count_++] = acc_;
            acc_ = static_cast<uint8_t>(value >> 4);
            accBits_ = 4;
        }
    }

    // A literal run: its token, then the bytes as 8-bit values.
    void PutRun(const uint8_t* run, int length, int bits) {
        Put(static_cast<unsigned>(length - 1) << bits, 8);
        if (accBits_ == 0) {
            std::memcpy(bytes_ + count_, run, length);
            count_ += length;
        } else {
            for (int i = 0; i < length; ++i)
                Put(run[i], 8);
        }
    }

    // Writes a pending nibble as the low half of a last byte.
    void Finish() {
        if (accBits_ == 4) bytes_[count_++] = acc_;
        acc_ = 0;
        accBits_ = 0;
    }

    const uint8_t* Bytes() const { return bytes_; }
    int Count() const { return count_; }

private:
    uint8_t& acc_;
    int& accBits_;
    uint8_t bytes_[80];  // a step writes at most a full run (33 bytes) and a reference (2)
    int count_ = 0;
};

TLZ77Stream::TLZ77Stream(TBaseStream* inner, int bits) : TFilterStream(inner), bits_(bits) {
    if (bits != 3 && bits != 4) throw EBadFormat(msg::BadCompressionParameters);
    windowSize_ = 16 << (8 - bits);
    lookaheadSize_ = 1 << bits;
    maxRun_ = 1 << (8 - bits);
    if (inner_->CanWrite()) {
        writer_ = true;
        canWrite_ = true;
    } else if (inner_->CanRead()) {
        canRead_ = true;
    }
    window_ = std::make_unique<Window>(windowSize_, lookaheadSize_, writer_);
    ResetWindow();
}

TLZ77Stream::~TLZ77Stream() {
    try {
        Flush();
    } catch (...) {
        // A destructor must not throw; callers that care flush first.
    }
}

void TLZ77Stream::ResetWindow() {
    window_->Reset();
}

int32_t TLZ77Stream::Write(const void* buffer, int32_t count) {
    if (!writer_ || finished_) throw EInOutError(msg::NotOpenForWrite);
    if (failed_ || count <= 0) return 0;
    const auto* source = static_cast<const uint8_t*>(buffer);
    int32_t taken = 0;
    while (taken < count) {
        if (lookStart_ + lookaheadSize_ > kLookRoom) {
            std::memmove(look_, look_ + lookStart_, lookFill_);
            lookStart_ = 0;
        }
        const int chunk = std::min(lookaheadSize_ - lookFill_, count - taken);
        std::memcpy(look_ + lookStart_ + lookFill_, source + taken, chunk);
        lookFill_ += chunk;
        const int32_t before = taken;
        taken += chunk;
        if (lookFill_ == lookaheadSize_ && !EncodeStep()) return before;
    }
    return count;
}

void TLZ77Stream::FindMatch(const uint8_t* look, int n, int& bestLength, int& bestIndex) const {
    // A candidate counts only from length 2, and a full match is capped at n - 1, so with
    // fewer than 3 bytes no candidate can win; otherwise the first two bytes must agree.
    if (n < 3) return;
    const Window& window = *window_;
    const int cap = n - 1;
    const uint64_t* first = window.Set(look[0]);
    const uint64_t* second = window.Set(look[1]);
    for (int word = 0; word < window.words; ++word) {
        // Bit i of `follows`: the byte after index i (wrapping) equals look[1].
        const uint64_t next = second[word + 1 == window.words ? 0 : word + 1];
        const uint64_t follows = (second[word] >> 1) | (next << 63);
        uint64_t candidates = first[word] & follows;
        while (candidates) {
            const int index = word * 64 + std::countr_zero(candidates);
            candidates &= candidates - 1;
            const int length =
                std::min({CommonStart(window.bytes.data() + index, look, n), n, cap});
            if (length > bestLength) {
                bestLength = length;
                bestIndex = index;
                if (length == cap) return;
            }
        }
    }
}

bool TLZ77Stream::EncodeStep() {
    const uint8_t* look = look_ + lookStart_;
    int bestLength = 1;
    int bestIndex = 0;
    FindMatch(look, lookFill_, bestLength, bestIndex);

    NibbleSink out(acc_, accBits_);
    int used = 1;
    if (bestLength == 1) {
        if (runLength_ == maxRun_) {
            out.PutRun(run_, runLength_, bits_);
            runLength_ = 0;
        }
        run_[runLength_++] = look[0];
        window_->Store(look[0]);
    } else {
        if (runLength_ > 0) {
            out.PutRun(run_, runLength_, bits_);
            runLength_ = 0;
        }
        out.Put((((bestIndex >> 4) << bits_) & 0xFF) | (bestLength - 1), 8);
        out.Put(bestIndex & 15, 4);
        for (int i = 0; i < bestLength; ++i)
            window_->Store(look[i]);
        used = bestLength;
    }
    lookStart_ += used;
    lookFill_ -= used;
    return WriteOut(out.Bytes(), out.Count());
}

bool TLZ77Stream::WriteOut(const uint8_t* bytes, int count) {
    if (count == 0) return true;
    int32_t written = 0;
    try {
        written = inner_->Write(bytes, count);
    } catch (...) {
        failed_ = true;
        throw;
    }
    // Any refused byte breaks the compressed data, not only the last one of a step.
    if (written != count) failed_ = true;
    return !failed_;
}

void TLZ77Stream::Flush() {
    if (!writer_) {
        accBits_ = 0;
        return;
    }
    finished_ = true;
    const EInOutError writeError(Format(msg::ErrorWriting, ""));
    if (failed_) throw writeError;
    while (lookFill_ > 0) {
        if (!EncodeStep()) throw writeError;
    }
    NibbleSink out(acc_, accBits_);
    if (runLength_ > 0) out.PutRun(run_, runLength_, bits_);
    runLength_ = 0;
    out.Finish();
    if (!WriteOut(out.Bytes(), out.Count())) throw writeError;
}

int64_t TLZ77Stream::Remaining() {
    const int64_t inner = inner_->Remaining();
    if (writer_) return inner + lookFill_;
    return inner + (inFill_ - inPos_) + waitCount_;
}

int32_t TLZ77Stream::Read(void* buffer, int32_t count) {
    if (writer_ || !canRead_) throw EInOutError(msg::CannotRead);
    auto* target = static_cast<uint8_t*>(buffer);
    int32_t delivered = 0;
    while (delivered < count) {
        if (waitCount_ == 0 && count - delivered >= static_cast<int32_t>(sizeof waiting_)) {
            // Room for a whole token: decode straight into the caller's buffer.
            if (!DecodeToken(target + delivered)) break;
            window_->StoreBlock(target + delivered, waitCount_);
            delivered += waitCount_;
            waitCount_ = 0;
            continue;
        }
        if (waitCount_ == 0 && !DecodeToken(waiting_)) break;
        const int chunk = std::min<int32_t>(waitCount_, count - delivered);
        const uint8_t* bytes = waiting_ + waitStart_;
        std::memcpy(target + delivered, bytes, chunk);
        window_->StoreBlock(bytes, chunk);
        waitStart_ += chunk;
        waitCount_ -= chunk;
        delivered += chunk;
    }
    return delivered;
}

bool TLZ77Stream::Refill() {
    if (!in_) in_ = std::make_unique<uint8_t[]>(kReadBlock);
    // Ask only for what the inner stream says it holds, so reading ahead never comes up
    // short; at its end ask for one byte, so a strict stream below reports the cut.
    const int64_t available = inner_->Remaining();
    const int32_t wanted =
        available > 0 ? static_cast<int32_t>(std::min<int64_t>(available, kReadBlock)) : 1;
    const int32_t got = inner_->Read(in_.get(), wanted);
    inPos_ = 0;
    inFill_ = std::clamp(got, 0, wanted);
    return inFill_ > 0;
}

bool TLZ77Stream::NextByte(uint8_t& byte) {
    if (inPos_ == inFill_ && !Refill()) return false;
    byte = in_[inPos_++];
    return true;
}

bool TLZ77Stream::ReadNibble(uint8_t& value) {
    if (accBits_ == 4) {
        value = acc_ >> 4;
        accBits_ = 0;
        return true;
    }
    if (!NextByte(acc_)) return false;
    value = acc_ & 15;
    accBits_ = 4;
    return true;
}

bool TLZ77Stream::ReadValue(uint8_t& value) {
    if (accBits_ == 0) return NextByte(value);
    const uint8_t low = acc_ >> 4;
    if (!NextByte(acc_)) return false;
    value = static_cast<uint8_t>(low | (acc_ << 4));
    return true;
}

bool TLZ77Stream::DecodeToken(uint8_t* out) {
    waitStart_ = 0;
    waitCount_ = 0;
    uint8_t token = 0;
    if (!ReadValue(token)) return false;
    const int lengthCode = token & (lookaheadSize_ - 1);
    const int x = token >> bits_;
    if (lengthCode == 0) {
        const int length = x + 1;
        if (accBits_ == 0) {
            // Byte-aligned: the literals are plain bytes.
            while (waitCount_ < length && (inPos_ < inFill_ || Refill())) {
                const int chunk = std::min(length - waitCount_, inFill_ - inPos_);
                std::memcpy(out + waitCount_, in_.get() + inPos_, chunk);
                inPos_ += chunk;
                waitCount_ += chunk;
            }
        } else if (inFill_ - inPos_ >= length) {
            // Half a byte out of step, all bytes at hand: each value is the held high
            // nibble and the next byte's low one.
            const uint8_t* in = in_.get() + inPos_;
            uint8_t held = acc_;
            for (int i = 0; i < length; ++i) {
                out[i] = static_cast<uint8_t>(held >> 4 | in[i] << 4);
                held = in[i];
            }
            acc_ = held;
            inPos_ += length;
            waitCount_ = length;
        } else {
            while (waitCount_ < length && ReadValue(out[waitCount_]))
                ++waitCount_;
        }
        return waitCount_ > 0;
    }
    uint8_t nibble = 0;
    if (!ReadNibble(nibble)) return false;
    // x < 2^(8-bits) and nibble < 16, so the index is below the window size, and the
    // mirrored tail covers a copy of up to 2^bits bytes that runs past the end.
    const int index = x * 16 + nibble;
    waitCount_ = lengthCode + 1;
    // A copy of fixed width, at most 16 bytes: the window holds 16 readable bytes past any
    // index, and `out` room for more; the bytes past the copy's length count for nothing.
    static_assert(sizeof waiting_ >= kCompareWidth);
    std::memcpy(out, window_->bytes.data() + index, kCompareWidth);
    return true;
}

}  // namespace tracklore
