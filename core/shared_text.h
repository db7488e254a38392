// An immutable, reference-counted UTF-8 text: the text fields of a track record. Copying
// shares the bytes, so records copy by value cheaply and a copy never aliases a change.
#pragma once

#include <atomic>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tracklore {

class SharedText {
public:
    SharedText() noexcept = default;
    SharedText(std::string_view text);  // NOLINT(google-explicit-constructor): texts convert freely
    SharedText(const std::string& text) : SharedText(std::string_view(text)) {}  // NOLINT
    SharedText(const char* text) : SharedText(std::string_view(text)) {}         // NOLINT
    SharedText(const SharedText& other) noexcept : block_(other.block_) { Retain(); }
    SharedText(SharedText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    SharedText& operator=(const SharedText& other) noexcept;
    SharedText& operator=(SharedText&& other) noexcept;
    ~SharedText() { Release(); }

    /// The bytes, always followed by a zero byte.
    const char* c_str() const noexcept { return block_ ? block_->chars : ""; }
    size_t size() const noexcept { return block_ ? block_->size : 0; }
    bool empty() const noexcept { return block_ == nullptr; }
    std::string_view view() const noexcept { return {c_str(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }  // NOLINT

    /// Asks the processor to fetch the stored block ahead of a copy: copies of several texts
    /// then wait for memory side by side, not one after another.
    void Prefetch() const noexcept {
        if (block_) __builtin_prefetch(block_, 1);
    }

    /// True when both refer to the same stored bytes (or are both empty).
    bool SharesWith(const SharedText& other) const noexcept { return block_ == other.block_; }

    friend bool operator==(const SharedText& a, const SharedText& b) noexcept {
        return a.block_ == b.block_ || a.view() == b.view();
    }
    friend bool operator==(const SharedText& a, std::string_view b) noexcept {
        return a.view() == b;
    }
    friend bool operator==(const SharedText& a, const std::string& b) noexcept {
        return a.view() == b;
    }
    friend bool operator==(const SharedText& a, const char* b) noexcept {
        return a.view() == std::string_view(b);
    }
    friend std::strong_ordering operator<=>(const SharedText& a, const SharedText& b) noexcept {
        return a.view() <=> b.view();
    }

private:
    struct Block {
        std::atomic<uint32_t> refs;
        uint32_t size;
        char chars[1];  // size bytes and a terminating zero
    };

    void Retain() const noexcept {
        if (block_) block_->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void Release() noexcept;

    Block* block_ = nullptr;
};

}  // namespace tracklore
