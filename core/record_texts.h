// The texts the views derive from a record's numbers: play time, quality and file size.
#pragma once

#include <cstdint>
#include <string>

#include "core/track_record.h"

namespace tracklore {

/// "m:ss" for a play length above 0 seconds (minutes without leading zeros, as in 3:07 or
/// 125:00); "<0:01" for 0.
std::string TimeText(uint16_t playLength);

/// "128kbit/s at 44100" when both rates are non-zero; otherwise empty.
std::string QualityText(const TrackRecord& record);

/// The size in MiB with two decimals and " M", as in "2.86 M", the decimal separator the
/// locale's.
std::string FilesizeText(uint32_t fileSize);

/// The decimal text of `n` with "0" prepended until it is at least `width` long.
std::string PadNumber(int64_t n, int width);

}  // namespace tracklore
