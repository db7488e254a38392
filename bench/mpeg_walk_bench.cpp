// The MPEG frame walk over a file of a few MB on disk against reading the same file plainly
// in large pieces: the walk reads only headers and seeks over the frame bodies inside blocks
// already fetched, so it should run at no less than half the plain reading rate.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/scratch_file.h"
#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "streams/file_stream.h"

namespace tracklore::bench {
namespace {

constexpr int kFrames = 20000;  // about 8 MB of 128 kbit/s frames

// A scratch file of MPEG-1 Layer III frames at 128 kbit/s, every third one padded, with
// non-zero bodies; removed when the benchmark ends.
class TFramesFile {
public:
    TFramesFile() {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < kFrames; ++i) {
            const bool padded = i % 3 == 0;
            bytes.insert(bytes.end(),
                         {0xFF, 0xFB, static_cast<uint8_t>(padded ? 0x92 : 0x90), 0x64});
            bytes.insert(bytes.end(), padded ? 414 : 413, static_cast<uint8_t>(i * 7));
        }
        TFileStream file(scratch_.Name(), OpenWrite | OpenCreate);
        file.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        size_ = static_cast<int64_t>(bytes.size());
    }
    const std::string& Name() const { return scratch_.Name(); }
    int64_t Size() const { return size_; }

private:
    TScratchFile scratch_;
    int64_t size_ = 0;
};

void BM_MpegFrameWalk(benchmark::State& state) {
    TFramesFile frames;
    uint32_t counted = 0;
    int64_t fetched = 0;
    for (auto _ : state) {
        TMediaInput input(frames.Name());
        const auto audio = TMPEGAudio::ScanAllFrames(input);
        counted = audio->FrameCount;
        fetched = input.BytesFetched();
        benchmark::DoNotOptimize(audio->Duration);
    }
    if (counted != kFrames) state.SkipWithError("wrong frame count");
    state.counters["fetched_MB"] = static_cast<double>(fetched) / 1e6;
    state.SetBytesProcessed(state.iterations() * frames.Size());
}
BENCHMARK(BM_MpegFrameWalk)->Unit(benchmark::kMillisecond)->UseRealTime();

// The walk alone, over the same frames in memory: what the analysis costs besides reading.
void BM_MpegFrameWalkInMemory(benchmark::State& state) {
    TFramesFile frames;
    std::vector<uint8_t> bytes(static_cast<size_t>(frames.Size()));
    {
        TFileStream file(frames.Name(), OpenRead);
        file.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    for (auto _ : state) {
        state.PauseTiming();  // copying the bytes into the stream is not part of the walk
        TMediaInput input(bytes);
        state.ResumeTiming();
        benchmark::DoNotOptimize(TMPEGAudio::ScanAllFrames(input)->Duration);
    }
    state.SetBytesProcessed(state.iterations() * frames.Size());
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MpegFrameWalkInMemory)->Unit(benchmark::kMillisecond);

void BM_MpegPlainRead(benchmark::State& state) {
    TFramesFile frames;
    std::vector<uint8_t> piece(TMediaInput::kBlockSize);
    for (auto _ : state) {
        TFileStream file(frames.Name(), OpenRead | OpenShareRead);
        file.SetStrict(false);
        while (file.Read(piece.data(), static_cast<int32_t>(piece.size())) > 0) {
        }
        benchmark::DoNotOptimize(piece.data());
    }
    state.SetBytesProcessed(state.iterations() * frames.Size());
}
BENCHMARK(BM_MpegPlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tracklore::bench
