// A filter that gathers small transfers into one buffer per direction, so the stream below
// (usually a file) sees few, large reads and writes. Transfers at least a buffer long pass
// straight through.
#pragma once

#include <cstdint>
#include <memory>

#include "streams/stream.h"

namespace tracklore {

/// Buffer size chosen by -1.
inline constexpr int32_t DefaultBufferSize = 65536;

class TBufferedStream : public TFilterStream {
public:
    /// Copies CanRead, CanWrite and Strict from `inner`. A size of -1 means
    /// DefaultBufferSize, 0 no buffer; a read buffer is made only when the inner stream can
    /// read, a write buffer only when it can write. A size below 2 that would be used raises
    /// EStreamCreate "Invalid buffer size". With a read buffer the inner stream is kept
    /// non-strict, since reading ahead must be allowed to come up short; it is made strict
    /// again on destruction when this stream is strict then. The inner stream is not owned.
    TBufferedStream(int32_t readBufferSize, int32_t writeBufferSize, TBaseStream* inner);
    /// Writes out pending output (errors are swallowed), then restores the inner stream's
    /// strictness.
    ~TBufferedStream() override;

    /// Sets Strict. Without a read buffer the inner stream follows; with one it stays
    /// non-strict and this stream enforces strictness itself.
    bool SetStrict(bool strict) override;
    /// Appends to the write buffer, writing it out when full. A strict stream raises when
    /// the inner stream accepts less than asked; a non-strict one then returns the negative
    /// count of bytes that did not reach the inner stream (the refused part of the buffer
    /// plus the bytes of this call not yet taken), and the buffer is emptied, so the inner
    /// stream always holds a prefix of what was written. Counts of 0 or less write nothing.
    int32_t Write(const void* buffer, int32_t count) override;
    /// Serves from the read buffer, refilling it a whole buffer at a time. A strict stream
    /// raises "Read less than expected" when the data ends first; a non-strict one returns
    /// the short count. Counts of 0 or less read nothing.
    int32_t Read(void* buffer, int32_t count) override;
    /// The inner stream's Remaining plus the unread bytes in the read buffer.
    int64_t Remaining() override;
    /// Writes the write buffer to the inner stream and empties it; raises when the inner
    /// stream accepts less. Does not flush the inner stream.
    void Flush() override;

    int32_t ReadBufferSize() const { return readSize_; }
    int32_t WriteBufferSize() const { return writeSize_; }

private:
    int32_t WriteInner(const uint8_t* bytes, int32_t count);

    std::unique_ptr<uint8_t[]> readBuffer_;
    int32_t readSize_ = 0;
    int32_t readPosition_ = 0;
    int32_t readFill_ = 0;
    std::unique_ptr<uint8_t[]> writeBuffer_;
    int32_t writeSize_ = 0;
    int32_t writeFill_ = 0;
    bool innerLoosened_ = false;       // the inner stream stays lenient while buffered
    bool restoreInnerStrict_ = false;  // it was strict before and is made so again at the end
};

}  // namespace tracklore
