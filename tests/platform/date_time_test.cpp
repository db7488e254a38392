// Tests of the date and time values and their conversions.
#include "platform/date_time.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/env_guard.h"

namespace tracklore::platform {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kEpochDays = 25569.0;  // 1970-01-01 counted from 1899-12-30

// Pins the time zone for one test and puts the old one back; the C library reads TZ again
// each time it changes.
class TTimeZone {
public:
    explicit TTimeZone(const char* zone) : zone_("TZ", zone) { tzset(); }

private:
    struct TReread {
        ~TReread() { tzset(); }
    } reread_;  // destroyed after zone_ has put the old value back
    test::TEnvGuard zone_;
};

// Central Europe with its daylight saving rules, written out so no zone files are needed.
constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";

TEST(ToDateTime, UnixEpochIsDay25569InUtc) {
    TTimeZone utc("UTC0");
    EXPECT_DOUBLE_EQ(ToDateTime(0), kEpochDays);
}

TEST(ToDateTime, TimeOfDayIsTheFraction) {
    TTimeZone utc("UTC0");
    EXPECT_DOUBLE_EQ(ToDateTime(86400 + 43200), kEpochDays + 1.5);
    EXPECT_DOUBLE_EQ(ToDateTime(6 * 3600), kEpochDays + 0.25);
}

TEST(ToDateTime, DaysBefore1970AndTheBaseDay) {
    TTimeZone utc("UTC0");
    EXPECT_DOUBLE_EQ(ToDateTime(-86400), kEpochDays - 1);
    EXPECT_DOUBLE_EQ(ToDateTime(-25569LL * 86400), 0.0);
}

TEST(ToDateTime, UsesTheLocalZoneOffset) {
    TTimeZone zone(kCentralEurope);
    EXPECT_DOUBLE_EQ(ToDateTime(0), kEpochDays + 1.0 / 24);  // winter: one hour ahead
}

TEST(ToDateTime, FollowsDaylightSavingTime) {
    TTimeZone zone(kCentralEurope);
    const std::time_t july2021 = 1625097600;  // 2021-07-01 00:00 UTC
    const double day = (july2021 / 86400) + kEpochDays;
    EXPECT_NEAR(ToDateTime(july2021), day + 2.0 / 24, 1e-9);
}

TEST(FileDateTime, DropsOddSeconds) {
    TTimeZone utc("UTC0");
    EXPECT_DOUBLE_EQ(FileDateTime(1), kEpochDays);
    EXPECT_DOUBLE_EQ(FileDateTime(2), kEpochDays + 2 * kSecond);
    EXPECT_DOUBLE_EQ(FileDateTime(3), kEpochDays + 2 * kSecond);
}

TEST(FileDateTime, RoundsDownBefore1970Too) {
    TTimeZone utc("UTC0");
    EXPECT_DOUBLE_EQ(FileDateTime(-1), kEpochDays - 2 * kSecond);
    EXPECT_DOUBLE_EQ(FileDateTime(-2), kEpochDays - 2 * kSecond);
}

TEST(FileDateTime, IsInLocalTime) {
    TTimeZone zone(kCentralEurope);
    EXPECT_DOUBLE_EQ(FileDateTime(3), kEpochDays + 1.0 / 24 + 2 * kSecond);
}

TEST(NowDateTime, AgreesWithTheClock) {
    TTimeZone utc("UTC0");
    // time() may read a coarse clock that lags the precise one by a tick, so both
    // bounds come from the clock NowDateTime reads.
    const auto seconds = [] {
        timespec moment{};
        clock_gettime(CLOCK_REALTIME, &moment);
        return moment.tv_sec;
    };
    const double before = ToDateTime(seconds());
    const double now = NowDateTime();
    const double after = ToDateTime(seconds()) + kSecond;
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
}

}  // namespace
}  // namespace tracklore::platform
