// The catalogue capacity of tracklore-cli: read from --capacity or TRACKLORE_CAPACITY and checked.
#include "cli/capacity.h"

#include <cstdio>
#include <cstdlib>

#include "core/catalogue.h"
#include "core/text_scan.h"

namespace tracklore::cli {

namespace {

int capacity = TTracklore::kSlotCount;

}  // namespace

int CatalogueCapacity() {
    return capacity;
}

void SetCatalogueCapacity(int value) {
    capacity = value;
}

std::optional<int> ParseCapacity(const std::string& text) {
    const std::optional<int> value = ParseWholeNumber(text);
    if (!value || *value < TTracklore::kSlotCount || *value > TTracklore::kMaxCapacity)
        return std::nullopt;
    return value;
}

bool TakeCapacity(const char* text, const char* from) {
    const auto value = ParseCapacity(text);
    if (!value) {
        std::fprintf(stderr, "Invalid capacity \"%s\" in %s: give 32769 to 1048576\n", text, from);
        return false;
    }
    SetCatalogueCapacity(*value);
    return true;
}

bool TakeCapacityVariable() {
    const char* variable = std::getenv("TRACKLORE_CAPACITY");
    return variable == nullptr || variable[0] == '\0' ||
           TakeCapacity(variable, "TRACKLORE_CAPACITY");
}

}  // namespace tracklore::cli
