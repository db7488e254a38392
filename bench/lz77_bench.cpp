// Compression and decompression speed of the LZ77 stream over catalogue-like bytes in memory.
#include <algorithm>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "streams/lz77.h"

namespace tracklore::bench {
namespace {

// Collects written bytes, or hands out bytes to read; nothing else.
class TVectorStream : public TBaseStream {
public:
    TVectorStream() { canWrite_ = true; }
    explicit TVectorStream(const std::vector<uint8_t>& bytes) : bytes_(bytes) { canRead_ = true; }

    int32_t Write(const void* buffer, int32_t count) override {
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        bytes_.insert(bytes_.end(), bytes, bytes + count);
        return count;
    }
    int32_t Read(void* buffer, int32_t count) override {
        const auto got = static_cast<int32_t>(std::min<size_t>(count, bytes_.size() - pos_));
        std::memcpy(buffer, bytes_.data() + pos_, got);
        pos_ += got;
        return got;
    }
    int64_t Remaining() override { return static_cast<int64_t>(bytes_.size() - pos_); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
};

const std::vector<uint8_t>& Catalogue() {
    static const std::vector<uint8_t> bytes = SerializeLikeCatalogue(MakeSampleRecords(32769));
    return bytes;
}

std::vector<uint8_t> Pack(const std::vector<uint8_t>& raw) {
    TVectorStream sink;
    TLZ77Stream lz(&sink);
    lz.Write(raw.data(), static_cast<int32_t>(raw.size()));
    lz.Flush();
    return sink.Bytes();
}

void BM_Lz77Compress(benchmark::State& state) {
    const auto& raw = Catalogue();
    size_t packed = 0;
    for (auto _ : state) {
        packed = Pack(raw).size();
        benchmark::DoNotOptimize(packed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * raw.size()));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(raw.size());
}
BENCHMARK(BM_Lz77Compress)->Unit(benchmark::kMillisecond);

void BM_Lz77Decompress(benchmark::State& state) {
    const auto& raw = Catalogue();
    const std::vector<uint8_t> packed = Pack(raw);
    std::vector<uint8_t> out(65536);
    for (auto _ : state) {
        TVectorStream source(packed);
        TLZ77Stream lz(&source);
        while (!lz.Eof()) {
            if (lz.Read(out.data(), static_cast<int32_t>(out.size())) == 0) break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * raw.size()));
    state.counters["ratio"] = static_cast<double>(packed.size()) / static_cast<double>(raw.size());
}
BENCHMARK(BM_Lz77Decompress)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
