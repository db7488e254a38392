// Numbers with units in the query text: play times (3:00, 1:02:03), sizes (700KB, 5MB, 1GB)
// and calendar dates (2024-01-31). Each becomes the plain number it stands for.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/messages.h"
#include "core/text_scan.h"
#include "search/scanner_parser.h"

namespace tracklore {

namespace {

struct SizeUnit {
    char letter;  // the letter before "B"
    long double bytes;
};

constexpr SizeUnit kSizeUnits[] = {
    {'K', 1024.0L},
    {'M', 1024.0L * 1024},
    {'G', 1024.0L * 1024 * 1024},
};

// The count of digits from `offset` on.
size_t DigitsAt(const std::string& text, size_t offset) {
    size_t end = offset;
    while (end < text.size() && IsAsciiDigit(text[end]))
        ++end;
    return end - offset;
}

int ValueOf(const std::string& text, size_t offset, size_t digits) {
    int value = 0;
    for (size_t i = 0; i < digits; ++i)
        value = value * 10 + (text[offset + i] - '0');
    return value;
}

}  // namespace

long double TScannerParser::SizeUnitAt(size_t offset, const std::string& separator) const {
    if (offset + 1 >= input_.size() || AsciiUpper(input_[offset + 1]) != 'B') return 0;
    const size_t after = offset + 2;
    if (after < input_.size()) {
        const char next = input_[after];
        if (IsAsciiLetter(next) || IsAsciiDigit(next)) return 0;
        if (!separator.empty() && input_.compare(after, separator.size(), separator) == 0) return 0;
    }
    for (const SizeUnit& unit : kSizeUnits) {
        if (AsciiUpper(input_[offset]) == unit.letter) return unit.bytes;
    }
    return 0;
}

void TScannerParser::ScanTime(long double first, size_t start) {
    // minutes:seconds or hours:minutes:seconds; the leading part may exceed 59.
    long double total = first;
    for (int parts = 1; parts < 3 && Current() == ':' && pos_ + 1 < input_.size() &&
                        IsAsciiDigit(input_[pos_ + 1]);
         ++parts) {
        ++pos_;
        const size_t digits = DigitsAt(input_, pos_);
        if (digits != 2 || ValueOf(input_, pos_, 2) > 59) Fail(msg::TimePartOutOfRange, pos_);
        total = total * 60 + ValueOf(input_, pos_, 2);
        pos_ += 2;
    }
    if (IsAsciiLetter(Current()))
        Fail(msg::DigitLargerThanBase, pos_, msg::HintNumberRunsIntoLetters);
    if (total > std::numeric_limits<int32_t>::max()) Fail(msg::NumberTooLarge, start);
    integer_ = static_cast<int32_t>(total);
    kind_ = TToken::Integer;
}

void TScannerParser::ScanDate(size_t start) {
    using namespace std::chrono;
    if (pos_ - start != 4) Fail(msg::NotADate, start);
    const int yearValue = ValueOf(input_, start, 4);
    ++pos_;  // the '-' after the year
    const size_t monthAt = pos_;
    if (DigitsAt(input_, monthAt) != 2) Fail(msg::NotADate, monthAt);
    const unsigned monthValue = static_cast<unsigned>(ValueOf(input_, monthAt, 2));
    if (monthValue < 1 || monthValue > 12) Fail(msg::NotADate, monthAt);
    pos_ += 2;
    if (Current() != '-' || pos_ + 1 >= input_.size() || !IsAsciiDigit(input_[pos_ + 1])) {
        Fail(msg::NotADate, pos_);
    }
    ++pos_;
    const size_t dayAt = pos_;
    if (DigitsAt(input_, dayAt) != 2) Fail(msg::NotADate, dayAt);
    const year_month_day date{year{yearValue}, month{monthValue},
                              day{static_cast<unsigned>(ValueOf(input_, dayAt, 2))}};
    if (!date.ok()) Fail(msg::NotADate, dayAt);
    pos_ += 2;
    if (IsAsciiLetter(Current()))
        Fail(msg::DigitLargerThanBase, pos_, msg::HintNumberRunsIntoLetters);
    // The catalogue counts days from 30 December 1899.
    constexpr sys_days kDayZero = sys_days{year{1899} / December / 30};
    integer_ = static_cast<int32_t>((sys_days{date} - kDayZero).count());
    kind_ = TToken::Integer;
}

}  // namespace tracklore
