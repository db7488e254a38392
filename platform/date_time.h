// Date and time values as the catalogue keeps them: days since 30 December 1899 in local
// time, the time of day as the fraction.
#pragma once

#include <ctime>

namespace tracklore::platform {

/// The local time of `moment` as days since 1899-12-30.
double ToDateTime(std::time_t moment);

/// The current local time as days since 1899-12-30.
double NowDateTime();

/// A file's last-write time as a file date: local time in whole 2-second steps (odd
/// seconds are dropped), as days since 1899-12-30.
double FileDateTime(std::time_t lastWrite);

}  // namespace tracklore::platform
