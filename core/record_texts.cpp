// The texts derived from a record's numbers: play time, quality and file size.
#include "core/record_texts.h"

#include "core/format.h"
#include "platform/locale.h"

namespace tracklore {

std::string PadNumber(int64_t n, int width) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string TimeText(uint16_t playLength) {
    if (playLength == 0) return "<0:01";
    return std::to_string(playLength / 60) + ":" + PadNumber(playLength % 60, 2);
}

std::string QualityText(const TrackRecord& record) {
    if (record.SampleRate == 0 || record.BitRate == 0) return {};
    return std::to_string(record.BitRate) + "kbit/s at " + std::to_string(record.SampleRate);
}

std::string FilesizeText(uint32_t fileSize) {
    std::string text = Format("%4.2f M", static_cast<double>(fileSize) / 1048576.0);
    // Format works in the C locale; the reader's own separator is shown.
    const size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, locale::DecimalSeparator());
    return text;
}

}  // namespace tracklore
