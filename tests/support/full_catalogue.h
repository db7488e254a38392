// Test helper: the message of an insert, scan, merge, load or import into a full catalogue.
#pragma once

#include <string>

#include "core/messages.h"

namespace tracklore::test {

inline const std::string kFullCatalogue =
    std::string(msg::TooManyElements) + "\n" + msg::RaiseCapacity;

}  // namespace tracklore::test
