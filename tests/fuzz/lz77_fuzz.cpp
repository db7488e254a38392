// Fuzz target for the LZ77 stream: any bytes are decompressed with both bit counts over
// strict and non-strict sources in odd read sizes, and compressing then decompressing the
// input must give it back.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "streams/lz77.h"
#include "tests/support/memory_stream.h"

namespace {

using tracklore::EInOutError;
using tracklore::TLZ77Stream;
using tracklore::test::TMemoryStream;

constexpr int32_t kReadSizes[] = {1, 7, 33, 4099, 2};

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<uint8_t> DecodeAll(const std::vector<uint8_t>& packed, int bits, bool strict) {
    TMemoryStream source(packed);
    source.SetStrict(strict);
    TLZ77Stream lz(&source, bits);
    std::vector<uint8_t> out;
    std::vector<uint8_t> piece(4099);
    for (int turn = 0; !lz.Eof(); ++turn) {
        const int32_t wanted = kReadSizes[turn % 5];
        const int32_t got = lz.Read(piece.data(), wanted);
        Check(got >= 0 && got <= wanted);
        Check(lz.Remaining() >= 0);
        // Reading stops short only when the data is used up.
        if (got < wanted) Check(lz.Eof());
        out.insert(out.end(), piece.begin(), piece.begin() + got);
        if (got == 0) break;
    }
    return out;
}

void Decode(const std::vector<uint8_t>& packed, int bits, bool strict) {
    try {
        DecodeAll(packed, bits, strict);
    } catch (const EInOutError&) {
        Check(strict);  // only a strict source reports data that ends inside a read
    }
}

void RoundTrip(const std::vector<uint8_t>& data, int bits) {
    tracklore::StreamChain sink(TMemoryStream::Writer());
    {
        TLZ77Stream lz(sink.get(), bits);
        size_t at = 0;
        for (int turn = 0; at < data.size(); ++turn) {
            const auto size = static_cast<int32_t>(
                std::min<size_t>(static_cast<size_t>(kReadSizes[turn % 5]), data.size() - at));
            Check(lz.Write(data.data() + at, size) == size);
            at += static_cast<size_t>(size);
        }
        lz.Flush();
    }
    const auto& packed = static_cast<TMemoryStream*>(sink.get())->Bytes();
    Check(DecodeAll(packed, bits, false) == data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (int bits : {3, 4}) {
        Decode(bytes, bits, false);
        Decode(bytes, bits, true);
        RoundTrip(bytes, bits);
    }
    return 0;
}
