// The tag reader over a tag of many frames, each under an identifier of its own (ten bytes
// per frame, no data): the hostile shape whose reading once took time growing with the
// square of the frame count (105 s for 200,000 frames in 2 MB). A 2 MB tag should be read,
// and its catalogue frames looked up, well within a second.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "media/id3v2.h"
#include "media/media_input.h"
#include "tests/support/id3_builder.h"

namespace tracklore::bench {
namespace {

void BM_Id3ManyDistinctFrames(benchmark::State& state) {
    const auto count = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> bytes =
        test::ToBytes(test::Id3Tag(3, test::ManyFramesBody(count)) + test::AudioFrames(4));
    for (auto _ : state) {
        TMediaInput input(bytes);
        Tid3v2 tag("many.mp3", input, false);
        for (const char* id : {"TPE1", "TIT2", "TALB", "TYER", "TDRC", "COMM", "TCON"})
            benchmark::DoNotOptimize(tag.FindFrame(id));
        benchmark::DoNotOptimize(tag.Frames().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_Id3ManyDistinctFrames)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
