// A stream over bytes in memory, for feeding parsers and catching what filters write.
// It can be told to accept only so many bytes, to play a full disk.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "streams/stream.h"

namespace tracklore::test {

class TMemoryStream : public TBaseStream {
public:
    /// A readable stream over `bytes`.
    explicit TMemoryStream(std::vector<uint8_t> bytes);
    explicit TMemoryStream(const std::string& bytes)
        : TMemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end())) {}
    /// A writable, empty stream that accepts at most `limit` bytes in all.
    static TMemoryStream* Writer(size_t limit = std::numeric_limits<size_t>::max());

    int32_t Write(const void* buffer, int32_t count) override;
    int32_t Read(void* buffer, int32_t count) override;
    int64_t Remaining() override { return static_cast<int64_t>(bytes_.size() - position_); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    /// Number of Read calls that reached this stream.
    int ReadCalls() const { return readCalls_; }
    /// Number of Write calls that reached this stream.
    int WriteCalls() const { return writeCalls_; }

private:
    TMemoryStream() = default;
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
    size_t limit_ = std::numeric_limits<size_t>::max();
    int readCalls_ = 0;
    int writeCalls_ = 0;
};

/// Hex dump "20 61 62" of bytes, for readable golden comparisons.
std::string Hex(const std::vector<uint8_t>& bytes);

}  // namespace tracklore::test
