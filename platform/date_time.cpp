// Date and time values as days since 30 December 1899 in local time, and back.
#include "platform/date_time.h"

namespace tracklore::platform {

namespace {

// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;
constexpr double kSecondsPerDay = 86400.0;

// Seconds since the epoch of the local wall-clock time of `moment`: the moment plus the
// zone's offset (with daylight saving) at that moment.
long long LocalSeconds(std::time_t moment) {
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr) return static_cast<long long>(moment);
    return static_cast<long long>(moment) + local.tm_gmtoff;
}

double FromLocalSeconds(long long seconds) {
    return kUnixEpochDays + static_cast<double>(seconds) / kSecondsPerDay;
}

}  // namespace

double ToDateTime(std::time_t moment) {
    return FromLocalSeconds(LocalSeconds(moment));
}

double NowDateTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long seconds = LocalSeconds(now.tv_sec);
    return kUnixEpochDays +
           (static_cast<double>(seconds) + static_cast<double>(now.tv_nsec) / 1e9) / kSecondsPerDay;
}

double FileDateTime(std::time_t lastWrite) {
    long long seconds = LocalSeconds(lastWrite);
    seconds -= ((seconds % 2) + 2) % 2;  // down to an even second, also before 1970
    return FromLocalSeconds(seconds);
}

}  // namespace tracklore::platform
