// Stackable byte streams: a file stream at the bottom, filters above it that forward to
// the stream below. A chain is built bottom-up, used through its top stream and destroyed
// top-down with one FreeChain call, so every filter can still write into the one below.
#pragma once

#include <cstdint>
#include <memory>

#include "streams/stream_errors.h"

namespace tracklore {

class TBaseStream {
public:
    TBaseStream() = default;
    TBaseStream(const TBaseStream&) = delete;
    TBaseStream& operator=(const TBaseStream&) = delete;
    virtual ~TBaseStream() = default;

    /// Strict streams raise when a transfer moves fewer bytes than asked; otherwise the
    /// short count is returned. Returns the flag.
    virtual bool SetStrict(bool strict);
    /// Writes up to count bytes; returns the count written (negative signals failure in
    /// the buffered layer).
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    /// Reads up to count bytes; returns the count read.
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    /// True when Remaining() is 0.
    virtual bool Eof();
    /// Bytes still readable.
    virtual int64_t Remaining() = 0;
    /// Pushes pending output down; the base does nothing.
    virtual void Flush() {}
    /// Reads the source to its end in pieces of 4,096 bytes and writes each piece here.
    virtual void CopyFrom(TBaseStream& source);

    bool CanRead() const { return canRead_; }
    bool CanWrite() const { return canWrite_; }
    bool Strict() const { return strict_; }

protected:
    bool canWrite_ = false;
    bool canRead_ = false;
    bool strict_ = true;
};

/// A stream that forwards to the stream below it (its inner stream).
class TFilterStream : public TBaseStream {
public:
    /// Stores the inner stream; CanRead and CanWrite are left to the subclass.
    explicit TFilterStream(TBaseStream* inner) : inner_(inner) {}

    bool SetStrict(bool strict) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int32_t Read(void* buffer, int32_t count) override;
    int64_t Remaining() override;

    /// Destroys the chain from `top` down: each filter is destroyed before the stream
    /// below it. Does nothing for nullptr.
    static void FreeChain(TBaseStream* top) noexcept;
    /// Flushes every filter of the chain from `top` down, so that pending output reaches
    /// the bottom stream and a failure to write it is raised here, not lost in a
    /// destructor. The bottom stream itself is not flushed.
    static void FlushChain(TBaseStream* top);

protected:
    TBaseStream* inner_;
};

/// A stream with a position: the file stream.
class TSeekableStream : public TBaseStream {
public:
    virtual int64_t Position() = 0;
    virtual int64_t Size() = 0;
    /// Moves to an absolute offset from the start.
    virtual void Seek(int64_t offset) = 0;
    /// Ends the stream at the current position.
    virtual void Truncate() = 0;
};

/// Sets a stream's Strict flag for the time of one task and gives the caller's setting back
/// afterwards, also when the task raises.
class TStrictScope {
public:
    TStrictScope(TBaseStream& stream, bool strict) : stream_(stream), was_(stream.Strict()) {
        if (was_ != strict) stream_.SetStrict(strict);
    }
    ~TStrictScope() {
        if (stream_.Strict() == was_) return;
        try {
            stream_.SetStrict(was_);
        } catch (...) {
            // A destructor never throws; the flag is all that is lost.
        }
    }
    TStrictScope(const TStrictScope&) = delete;
    TStrictScope& operator=(const TStrictScope&) = delete;

private:
    TBaseStream& stream_;
    bool was_;
};

/// Owns a chain through its top stream and frees it with FreeChain.
struct ChainDeleter {
    void operator()(TBaseStream* top) const noexcept { TFilterStream::FreeChain(top); }
};
using StreamChain = std::unique_ptr<TBaseStream, ChainDeleter>;

/// Puts a new top stream, made by `make(current top)`, over `chain`. When making it fails,
/// the chain still owns the streams below and frees them.
template <class Make>
void PushFilter(StreamChain& chain, Make make) {
    TBaseStream* top = make(chain.get());
    chain.release();
    chain.reset(top);
}

}  // namespace tracklore
