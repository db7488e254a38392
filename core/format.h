// printf-style formatting of the system's message texts into std::string.
#pragma once

#include <string>

namespace tracklore {

/// Formats like snprintf, for texts of any length.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tracklore
