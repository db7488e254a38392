// TBufferedStream: one buffer per direction between small transfers and the stream below.
#include "streams/buffered_stream.h"

#include <algorithm>
#include <cstring>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore {

namespace {

int32_t UsedSize(int32_t asked, bool used) {
    if (!used || asked == 0) return 0;
    if (asked == -1) return DefaultBufferSize;
    if (asked < 2) throw EStreamCreate(msg::InvalidBufferSize);
    return asked;
}

}  // namespace

TBufferedStream::TBufferedStream(int32_t readBufferSize, int32_t writeBufferSize,
                                 TBaseStream* inner)
    : TFilterStream(inner) {
    canRead_ = inner->CanRead();
    canWrite_ = inner->CanWrite();
    strict_ = inner->Strict();
    // Both sizes are checked before anything is allocated or the inner stream is touched.
    readSize_ = UsedSize(readBufferSize, canRead_);
    writeSize_ = UsedSize(writeBufferSize, canWrite_);
    if (readSize_ > 0) readBuffer_ = std::make_unique_for_overwrite<uint8_t[]>(readSize_);
    if (writeSize_ > 0) writeBuffer_ = std::make_unique_for_overwrite<uint8_t[]>(writeSize_);
    if (readBuffer_) {
        innerLoosened_ = true;
        if (strict_) {
            inner_->SetStrict(false);
            restoreInnerStrict_ = true;
        }
    }
}

TBufferedStream::~TBufferedStream() {
    try {
        if (writeFill_ > 0) Flush();
    } catch (...) {
        // A destructor cannot report; callers who need to know call Flush first.
    }
    try {
        if (restoreInnerStrict_) inner_->SetStrict(true);
    } catch (...) {
    }
}

bool TBufferedStream::SetStrict(bool strict) {
    strict_ = strict;
    // Read-ahead needs a lenient inner stream; strictness is then checked here instead.
    if (!innerLoosened_) inner_->SetStrict(strict);
    return strict;
}

int32_t TBufferedStream::WriteInner(const uint8_t* bytes, int32_t count) {
    const int32_t accepted = std::max(0, inner_->Write(bytes, count));
    if (strict_ && accepted < count) throw EInOutError(Format(msg::ErrorWriting, ""));
    return accepted;
}

int32_t TBufferedStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (!writeBuffer_) return WriteInner(bytes, count);
    const int32_t space = writeSize_ - writeFill_;
    if (space >= count) {
        std::memcpy(writeBuffer_.get() + writeFill_, bytes, static_cast<size_t>(count));
        writeFill_ += count;
        return count;
    }
    std::memcpy(writeBuffer_.get() + writeFill_, bytes, static_cast<size_t>(space));
    // Emptied before the inner call: whatever happens, the inner stream never receives
    // these bytes twice.
    writeFill_ = 0;
    const int32_t accepted = WriteInner(writeBuffer_.get(), writeSize_);
    const int32_t rest = count - space;
    if (accepted < writeSize_) return -((writeSize_ - accepted) + rest);
    if (rest >= writeSize_) return space + WriteInner(bytes + space, rest);
    std::memcpy(writeBuffer_.get(), bytes + space, static_cast<size_t>(rest));
    writeFill_ = rest;
    return count;
}

int32_t TBufferedStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    if (!readBuffer_) return inner_->Read(bytes, count);
    const int32_t buffered = readFill_ - readPosition_;
    if (buffered >= count) {
        std::memcpy(bytes, readBuffer_.get() + readPosition_, static_cast<size_t>(count));
        readPosition_ += count;
        return count;
    }
    std::memcpy(bytes, readBuffer_.get() + readPosition_, static_cast<size_t>(buffered));
    // Emptied before the inner call, so a failing read leaves no stale bytes behind.
    readPosition_ = readFill_ = 0;
    const int32_t rest = count - buffered;
    if (rest >= readSize_) {
        const int32_t got = std::max(0, inner_->Read(bytes + buffered, rest));
        if (strict_ && got < rest) throw EInOutError(msg::ReadLessThanExpected);
        return buffered + got;
    }
    const int32_t got = std::max(0, inner_->Read(readBuffer_.get(), readSize_));
    if (got < rest) {
        std::memcpy(bytes + buffered, readBuffer_.get(), static_cast<size_t>(got));
        if (strict_) throw EInOutError(msg::ReadLessThanExpected);
        return buffered + got;
    }
    std::memcpy(bytes + buffered, readBuffer_.get(), static_cast<size_t>(rest));
    readFill_ = got;
    readPosition_ = rest;
    return count;
}

int64_t TBufferedStream::Remaining() {
    return inner_->Remaining() + (readFill_ - readPosition_);
}

void TBufferedStream::Flush() {
    if (writeFill_ == 0) return;
    const int32_t pending = writeFill_;
    writeFill_ = 0;
    // Flush has no count to return, so a refused write raises even when not strict.
    const int32_t accepted = inner_->Write(writeBuffer_.get(), pending);
    if (accepted < pending) throw EInOutError(Format(msg::ErrorWriting, ""));
}

}  // namespace tracklore
