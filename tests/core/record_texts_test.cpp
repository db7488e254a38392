// Tests of the texts derived from a record's numbers.
#include "core/record_texts.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "core/format.h"
#include "platform/locale.h"
#include "tests/support/env_guard.h"

namespace tracklore {
namespace {

TEST(RecordTexts, TimeShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(TimeText(0), "<0:01");
    EXPECT_EQ(TimeText(1), "0:01");
    EXPECT_EQ(TimeText(187), "3:07");
    EXPECT_EQ(TimeText(7500), "125:00");
    EXPECT_EQ(TimeText(65535), "1092:15");
}

TEST(RecordTexts, QualityNeedsBothRates) {
    TrackRecord record;
    record.BitRate = 128;
    EXPECT_EQ(QualityText(record), "");
    record.SampleRate = 44100;
    EXPECT_EQ(QualityText(record), "128kbit/s at 44100");
    record.BitRate = 0;
    EXPECT_EQ(QualityText(record), "");
}

TEST(RecordTexts, FilesizeInMebibytesWithTheLocalesSeparator) {
    EXPECT_EQ(FilesizeText(3000000), "2.86 M");
    EXPECT_EQ(FilesizeText(0), "0.00 M");
    EXPECT_EQ(FilesizeText(4294967295u), "4096.00 M");
    const test::TLocaleGuard german("de_DE");
    EXPECT_EQ(FilesizeText(3000000), "2,86 M");
}

// The texts are built without printf; they must still read exactly as printf writes them,
// rounding included: sizes around every hundredth's half (ties go to the even neighbour)
// and a spread of others.
TEST(RecordTexts, NumberTextsMatchPrintf) {
    std::vector<uint32_t> sizes = {0, 1, 5242, 5243, 10485, 10486, 1048575, 1048576, 4294967295u};
    for (uint64_t hundredth = 0; hundredth < 5000; ++hundredth) {
        const uint64_t half = (2 * hundredth + 1) * (uint64_t{1} << 19) / 100;
        for (uint64_t size = half > 0 ? half - 1 : 0; size <= half + 1; ++size)
            sizes.push_back(static_cast<uint32_t>(size));
    }
    for (uint64_t size = 7; size < 4294967295u; size = size * 3 + 11)
        sizes.push_back(static_cast<uint32_t>(size));
    for (const uint32_t size : sizes)
        ASSERT_EQ(FilesizeText(size), Format("%4.2f M", size / 1048576.0)) << size;
    for (int seconds = 1; seconds <= 65535; seconds += 7)
        ASSERT_EQ(TimeText(static_cast<uint16_t>(seconds)),
                  Format("%d:%02d", seconds / 60, seconds % 60));
}

TEST(RecordTexts, PadNumberOnlyWidens) {
    EXPECT_EQ(PadNumber(7, 2), "07");
    EXPECT_EQ(PadNumber(123, 2), "123");
    EXPECT_EQ(PadNumber(-5, 3), "0-5");
}

}  // namespace
}  // namespace tracklore
