// A read-only, seekable stream over an MP3 file (or bytes in memory) that reads the file in
// blocks, so header searches and frame walks that move a few bytes at a time never go to the
// operating system per header or per byte. Blocks start small for readers that only look at
// a few places of a file and grow while the reading goes on straight ahead.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "streams/file_stream.h"
#include "streams/stream.h"

namespace tracklore {

class TMediaInput : public TSeekableStream {
public:
    /// The largest block, and the block size of a stream opened without a first size.
    static constexpr int32_t kBlockSize = 256 * 1024;
    /// A first block size for readers that look at the tags and the first frames only.
    static constexpr int32_t kSmallBlockSize = 4 * 1024;

    /// Opens `fileName` for reading, letting others read but not write it meanwhile; a
    /// failed open raises EInOutError "Error opening ..." as TFileStream does.
    /// `firstBlockSize` (a power of two up to kBlockSize): blocks have this size and start
    /// at a multiple of it; once several blocks in a row have followed each other, each
    /// further one is twice as large, up to kBlockSize. The system is told what to expect:
    /// with blocks of kBlockSize a read straight through (more read-ahead), with smaller
    /// ones reads of a few places (no read-ahead, so only the blocks asked for are fetched
    /// from a slow medium).
    explicit TMediaInput(const std::string& fileName, int32_t firstBlockSize = kBlockSize);
    /// A stream over `bytes` (tests and fuzzing).
    explicit TMediaInput(std::vector<uint8_t> bytes);
    ~TMediaInput() override;

    /// Reads up to `count` bytes from the position; a strict stream raises "Read less than
    /// expected" when fewer arrive. System errors raise EInOutError.
    int32_t Read(void* buffer, int32_t count) override;
    /// Refused: raises EInOutError.
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Remaining() override;
    int64_t Position() override { return position_; }
    /// The size when the stream was opened.
    int64_t Size() override { return size_; }
    /// Moves to an absolute offset; beyond the end later reads deliver nothing, below 0
    /// raises EInOutError.
    void Seek(int64_t offset) override;
    /// Refused: raises EInOutError.
    void Truncate() override;

    /// Fetches the bytes from `offset` on, `count` of them (up to kBlockSize), with one
    /// request to the system unless the current block holds them already, so a reader that
    /// will look at several places there (a run of frame headers) does not fetch them one
    /// small block after the other. The position stays. Nothing for memory streams.
    void Prefetch(int64_t offset, int32_t count);
    /// Tells the system that the bytes from `offset` on, `count` of them, will be read
    /// soon, so that it fetches them meanwhile, side by side with other such places.
    /// Nothing for memory streams.
    void WillNeed(int64_t offset, int64_t count);
    /// Tells the system that the rest of the file will be read straight through, after
    /// all, as when a quick analysis has to walk every frame. Nothing for memory streams.
    void ExpectStraightRead();

    /// Bytes fetched from the file so far (memory streams count what they hand out).
    int64_t BytesFetched() const { return fetched_; }

private:
    void Fill(int64_t offset);  // loads the block holding `offset`
    // Reads `wanted` bytes from `start` into the block (none when `wanted` is not positive).
    void Load(int64_t start, int32_t wanted);
    bool InBlock() const { return position_ >= blockStart_ && position_ < blockEnd_; }

    std::unique_ptr<TFileStream> file_;
    std::vector<uint8_t> memory_;           // all bytes of a stream over memory
    std::unique_ptr<uint8_t[]> fileBlock_;  // the block buffer of a file, not zeroed
    int32_t capacity_ = 0;                  // bytes fileBlock_ holds room for
    int32_t firstBlock_ = kBlockSize;       // size (and alignment) of a block after a jump
    int32_t blockSize_ = kBlockSize;        // size of the block fetched last
    int onwardFills_ = 0;                   // blocks in a row that followed each other
    uint8_t* block_ = nullptr;              // the bytes from blockStart_ on
    int64_t blockStart_ = 0;                // stream offset of block_[0]
    int64_t blockEnd_ = 0;                  // file offset just behind the valid bytes of block_
    int64_t position_ = 0;
    int64_t size_ = 0;
    int64_t fetched_ = 0;
    bool inMemory_ = false;
};

}  // namespace tracklore
