// Fuzz target for the catalogue file loader: any bytes are written to a scratch file and
// loaded. A broken file must give one of the loader's errors and leave the catalogue empty;
// a file that loads must (for a sample of inputs) save and load again to the same identifiers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue.h"
#include "core/convert.h"
#include "streams/stream_errors.h"
#include "tests/fuzz/fuzz_scratch.h"

namespace {

using tracklore::EDBError;
using tracklore::EInOutError;
using tracklore::TTracklore;

const tracklore::fuzz::TFuzzScratch& Scratch() {
    static const tracklore::fuzz::TFuzzScratch scratch("load", ".tracklore");
    return scratch;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<int32_t> Ids(const TTracklore& catalogue) {
    std::vector<int32_t> ids;
    for (int slot = 0; slot < TTracklore::kSlotCount; ++slot) {
        if (const auto* record = catalogue.SlotRecord(slot)) ids.push_back(record->ID);
    }
    return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Scratch().Write(data, size);
    TTracklore catalogue;
    try {
        catalogue.LoadFromFile(Scratch().Path());
    } catch (const EDBError&) {
        Check(catalogue.Count() == 0 && catalogue.LastID() == 0);
        return 0;
    } catch (const EInOutError&) {
        Check(catalogue.Count() == 0 && catalogue.LastID() == 0);
        return 0;
    }
    if (!tracklore::fuzz::SampledForRoundTrip(data, size)) return 0;
    // Saving sorts by identifier; what was saved must come back in that order.
    catalogue.SaveToFile(Scratch().Path());
    TTracklore again;
    again.LoadFromFile(Scratch().Path());
    Check(Ids(again) == Ids(catalogue));
    return 0;
}
