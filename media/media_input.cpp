// A read-only, seekable stream over an MP3 file or bytes in memory, read in blocks.
#include "media/media_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/format.h"
#include "core/messages.h"
#include "platform/file.h"

namespace tracklore {

namespace {

// Blocks fetched one after the other before they start to grow.
constexpr int kFillsBeforeGrowing = 4;

}  // namespace

TMediaInput::TMediaInput(const std::string& fileName, int32_t firstBlockSize)
    : file_(std::make_unique<TFileStream>(fileName, OpenRead | OpenShareRead)) {
    // The blocks are filled with whatever the file still holds; a short fill is not an error.
    file_->SetStrict(false);
    size_ = file_->Size();
    // A size that is no power of two would break the alignment; such a value gets the
    // largest block.
    const bool power = firstBlockSize > 0 && (firstBlockSize & (firstBlockSize - 1)) == 0;
    firstBlock_ = power ? std::min(firstBlockSize, kBlockSize) : kBlockSize;
    blockSize_ = firstBlock_;
    // Without the hint the system reads ahead far (often megabytes) around every read, which
    // on a CD or a network share costs more than the few places a quick analysis looks at.
    file_->AdviseAccess(firstBlock_ < kBlockSize ? platform::AccessPattern::kRandom
                                                 : platform::AccessPattern::kSequential);
    canRead_ = true;
}

TMediaInput::TMediaInput(std::vector<uint8_t> bytes) : memory_(std::move(bytes)), inMemory_(true) {
    block_ = memory_.data();
    size_ = static_cast<int64_t>(memory_.size());
    blockEnd_ = size_;
    canRead_ = true;
}

TMediaInput::~TMediaInput() = default;

void TMediaInput::Prefetch(int64_t offset, int32_t count) {
    if (inMemory_ || offset < 0 || count <= 0 || offset >= size_) return;
    const int64_t end = std::min<int64_t>(offset + std::min(count, kBlockSize), size_);
    if (offset >= blockStart_ && end <= blockEnd_) return;
    // Whole small blocks, as Fill would fetch them one by one.
    const int64_t start = offset - offset % firstBlock_;
    const int64_t stop = std::min<int64_t>(end + (firstBlock_ - end % firstBlock_) % firstBlock_,
                                           std::min<int64_t>(size_, start + kBlockSize));
    onwardFills_ = 0;
    Load(start, static_cast<int32_t>(stop - start));
}

void TMediaInput::WillNeed(int64_t offset, int64_t count) {
    if (file_ && count > 0) file_->AdviseWillNeed(std::max<int64_t>(offset, 0), count);
}

void TMediaInput::ExpectStraightRead() {
    if (file_) file_->AdviseAccess(platform::AccessPattern::kSequential);
}

void TMediaInput::Fill(int64_t offset) {
    // Reading on at or a little behind where the last block ended, again and again, is a
    // walk through the file: fetch more at once. A jump, or a short look at the next few
    // kilobytes, only needs the bytes around the place.
    const bool onward =
        blockEnd_ > blockStart_ && offset >= blockEnd_ && offset - blockEnd_ < blockSize_;
    onwardFills_ = onward ? onwardFills_ + 1 : 0;
    blockSize_ =
        onwardFills_ >= kFillsBeforeGrowing ? std::min(blockSize_ * 2, kBlockSize) : firstBlock_;
    const int64_t start = offset - offset % firstBlock_;
    Load(start, static_cast<int32_t>(std::min<int64_t>(blockSize_, size_ - start)));
}

void TMediaInput::Load(int64_t start, int32_t wanted) {
    // Forget the old block first, so a failing read leaves no stale bytes behind.
    blockStart_ = start;
    blockEnd_ = start;
    if (wanted <= 0) return;
    if (wanted > capacity_) {
        // Every byte handed out is read from the file first, so the buffer need not be zeroed.
        fileBlock_ = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(wanted));
        block_ = fileBlock_.get();
        capacity_ = wanted;
    }
    file_->Seek(start);
    const int32_t got = file_->Read(block_, wanted);
    fetched_ += got;
    blockEnd_ = start + got;
}

int32_t TMediaInput::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    // Header searches and frame walks read a few bytes at a time inside the current block.
    if (position_ >= blockStart_ && blockEnd_ - position_ >= count) {
        const uint8_t* from = block_ + (position_ - blockStart_);
        // The sizes of header reads are copied inline, without a library call.
        if (count == 1) {
            *out = *from;
        } else if (count == 4) {
            std::memcpy(out, from, 4);
        } else {
            std::memcpy(out, from, static_cast<size_t>(count));
        }
        position_ += count;
        if (inMemory_) fetched_ += count;
        return count;
    }
    int32_t done = 0;
    while (done < count && position_ < size_) {
        if (!InBlock()) {
            if (inMemory_) break;
            const int32_t rest = count - done;
            if (rest >= blockSize_) {
                // A large read goes straight into the caller's buffer; the block stays.
                file_->Seek(position_);
                const int32_t wanted =
                    static_cast<int32_t>(std::min<int64_t>(rest, size_ - position_));
                const int32_t got = file_->Read(out + done, wanted);
                fetched_ += got;
                done += got;
                position_ += got;
                if (got < wanted) break;
                continue;
            }
            Fill(position_);
            if (!InBlock()) break;  // the file shrank since it was opened
        }
        const auto piece =
            static_cast<int32_t>(std::min<int64_t>(count - done, blockEnd_ - position_));
        std::memcpy(out + done, block_ + (position_ - blockStart_), static_cast<size_t>(piece));
        done += piece;
        position_ += piece;
        if (inMemory_) fetched_ += piece;
    }
    if (strict_ && done < count) throw EInOutError(msg::ReadLessThanExpected);
    return done;
}

int32_t TMediaInput::Write(const void*, int32_t) {
    throw EInOutError(msg::NotOpenForWrite);
}

int64_t TMediaInput::Remaining() {
    return std::max<int64_t>(0, size_ - position_);
}

void TMediaInput::Seek(int64_t offset) {
    if (offset < 0) {
        throw EInOutError(
            Format(msg::ErrorMovingPointer, platform::SystemErrorText(EINVAL).c_str()));
    }
    position_ = offset;
}

void TMediaInput::Truncate() {
    throw EInOutError(msg::NotOpenForWrite);
}

}  // namespace tracklore
