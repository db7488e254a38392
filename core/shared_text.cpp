// SharedText: one allocation holding the count, size and bytes, shared by copies.
#include "core/shared_text.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace tracklore {

SharedText::SharedText(std::string_view text) {
    if (text.empty()) return;
    if (text.size() > std::numeric_limits<uint32_t>::max() - sizeof(Block)) {
        throw std::length_error("text too long");
    }
    // One allocation holds the count, the size and the bytes.
    void* memory = std::malloc(offsetof(Block, chars) + text.size() + 1);
    if (!memory) throw std::bad_alloc();
    block_ = static_cast<Block*>(memory);
    new (&block_->refs) std::atomic<uint32_t>(1);
    block_->size = static_cast<uint32_t>(text.size());
    std::memcpy(block_->chars, text.data(), text.size());
    block_->chars[text.size()] = '\0';
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    Block* const shared = other.block_;  // read first: `other` may be this text
    other.Retain();
    Release();
    block_ = shared;
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        Release();
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

void SharedText::Release() noexcept {
    if (block_ && block_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block_->refs.~atomic();
        std::free(block_);
    }
    block_ = nullptr;
}

}  // namespace tracklore
