// Throughput of the file stream with and without the buffered stream above it, for pieces of
// the sizes the catalogue writes and reads (a few bytes per field up to whole blocks).
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/scratch_file.h"
#include "streams/buffered_stream.h"
#include "streams/file_stream.h"

namespace tracklore::bench {
namespace {

constexpr int32_t kTotal = 8 << 20;

void WriteAll(TBaseStream& stream, int32_t piece) {
    const std::vector<uint8_t> bytes(static_cast<size_t>(piece), 0x5A);
    for (int32_t done = 0; done < kTotal; done += piece)
        stream.Write(bytes.data(), piece);
}

void BM_FileWrite(benchmark::State& state, bool buffered) {
    TScratchFile scratch;
    const auto piece = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        TFileStream file(scratch.Name(), OpenWrite | OpenCreate);
        if (buffered) {
            TBufferedStream stream(0, -1, &file);
            WriteAll(stream, piece);
        } else {
            WriteAll(file, piece);
        }
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

void BM_FileRead(benchmark::State& state, bool buffered) {
    TScratchFile scratch;
    {
        TFileStream file(scratch.Name(), OpenWrite | OpenCreate);
        WriteAll(file, 1 << 16);
    }
    const auto piece = static_cast<int32_t>(state.range(0));
    std::vector<uint8_t> bytes(static_cast<size_t>(piece));
    for (auto _ : state) {
        TFileStream file(scratch.Name(), OpenRead);
        TBufferedStream stream(buffered ? -1 : 0, 0, &file);
        for (int32_t done = 0; done < kTotal; done += piece)
            stream.Read(bytes.data(), piece);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * kTotal);
}

BENCHMARK_CAPTURE(BM_FileWrite, buffered, true)->Arg(16)->Arg(256)->Arg(1 << 17);
BENCHMARK_CAPTURE(BM_FileWrite, direct, false)->Arg(256)->Arg(1 << 17);
BENCHMARK_CAPTURE(BM_FileRead, buffered, true)->Arg(16)->Arg(256)->Arg(1 << 17);
BENCHMARK_CAPTURE(BM_FileRead, direct, false)->Arg(256)->Arg(1 << 17);

}  // namespace
}  // namespace tracklore::bench
