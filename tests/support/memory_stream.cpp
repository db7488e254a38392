// A stream over bytes in memory for tests of parsers and filters.
#include "tests/support/memory_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/messages.h"

namespace tracklore::test {

TMemoryStream::TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    canRead_ = true;
}

TMemoryStream* TMemoryStream::Writer(size_t limit) {
    auto* stream = new TMemoryStream();
    stream->canWrite_ = true;
    stream->limit_ = limit;
    return stream;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    ++writeCalls_;
    const size_t room = limit_ - std::min(limit_, bytes_.size());
    const size_t taken = std::min(room, static_cast<size_t>(std::max(count, 0)));
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    bytes_.insert(bytes_.end(), bytes, bytes + taken);
    position_ = bytes_.size();
    if (strict_ && taken < static_cast<size_t>(count)) {
        throw EInOutError(std::string("Error writing to stream - "));
    }
    return static_cast<int32_t>(taken);
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    ++readCalls_;
    const size_t wanted = static_cast<size_t>(std::max(count, 0));
    const size_t got = std::min(wanted, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, got);
    position_ += got;
    if (strict_ && got < wanted) throw EInOutError(msg::ReadLessThanExpected);
    return static_cast<int32_t>(got);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char piece[4];
    for (uint8_t byte : bytes) {
        std::snprintf(piece, sizeof piece, "%02X ", byte);
        text += piece;
    }
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace tracklore::test
