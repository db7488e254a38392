// Fuzz target for the registry store's text: any bytes are read as a store file, and what is
// read must be written and read back to the same keys and values, and written identically.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace {

using tracklore::platform::ParseRegistryText;
using tracklore::platform::RegistryText;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto document = ParseRegistryText(text);
    const std::string written = RegistryText(document);
    const auto again = ParseRegistryText(written);
    Check(again == document);
    Check(RegistryText(again) == written);
    return 0;
}
