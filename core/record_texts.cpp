// The texts derived from a record's numbers: play time, quality and file size.
#include "core/record_texts.h"

#include <charconv>

#include "platform/locale.h"

namespace tracklore {

std::string PadNumber(int64_t n, int width) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

namespace {

// Appends the decimal digits of `n`.
void AppendNumber(std::string& text, uint64_t n) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    text.append(digits, end);
}

// Appends `number` (0 to 99) as two digits.
void AppendTwoDigits(std::string& text, unsigned number) {
    text += static_cast<char>('0' + number / 10);
    text += static_cast<char>('0' + number % 10);
}

}  // namespace

// The views make these for every row of a rebuild (a million at the largest capacity), so
// they are built in place, without temporaries or a printf per text.

std::string TimeText(uint16_t playLength) {
    if (playLength == 0) return "<0:01";
    std::string text;
    AppendNumber(text, playLength / 60);
    text += ':';
    AppendTwoDigits(text, playLength % 60u);
    return text;
}

std::string QualityText(const TrackRecord& record) {
    if (record.SampleRate == 0 || record.BitRate == 0) return {};
    std::string text;
    text.reserve(24);
    AppendNumber(text, record.BitRate);
    text += "kbit/s at ";
    AppendNumber(text, record.SampleRate);
    return text;
}

std::string FilesizeText(uint32_t fileSize) {
    // The size in hundredths of a MiB, rounded as printf's "%4.2f" rounds the exact
    // quotient (size / 2^20 is exact in a double): to nearest, a tie to the even neighbour.
    constexpr uint64_t kHalf = uint64_t{1} << 19;
    const uint64_t scaled = uint64_t{fileSize} * 100;
    uint64_t hundredths = scaled >> 20;
    const uint64_t rest = scaled & ((uint64_t{1} << 20) - 1);
    if (rest > kHalf || (rest == kHalf && (hundredths & 1) != 0)) ++hundredths;
    std::string text;
    text.reserve(16);
    AppendNumber(text, hundredths / 100);
    // The separator is the reader's own; the width of 4 is always filled ("0.00").
    text += locale::DecimalSeparator();
    AppendTwoDigits(text, static_cast<unsigned>(hundredths % 100));
    text += " M";
    return text;
}

}  // namespace tracklore
