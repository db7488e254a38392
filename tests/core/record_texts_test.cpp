// Tests of the texts derived from a record's numbers.
#include "core/record_texts.h"

#include <gtest/gtest.h>

#include "platform/locale.h"

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
    locale::SetLocale("de_DE");
    EXPECT_EQ(FilesizeText(3000000), "2,86 M");
    locale::SetLocale("en_US");
}

TEST(RecordTexts, PadNumberOnlyWidens) {
    EXPECT_EQ(PadNumber(7, 2), "07");
    EXPECT_EQ(PadNumber(123, 2), "123");
    EXPECT_EQ(PadNumber(-5, 3), "0-5");
}

}  // namespace
}  // namespace tracklore
