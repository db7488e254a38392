// Fuzz target for the MPEG audio analyser: any bytes are searched for a first header and
// walked frame by frame, from the start and from an offset, over strict and loose streams.
// Only the analyser's own error may come out, the walk always ends, both constructions agree
// on whether a header exists, and the caller's strictness is given back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/media_input.h"
#include "media/mpeg_audio.h"

namespace {

using tracklore::EMPEGError;
using tracklore::TMediaInput;
using tracklore::TMPEGAudio;

void Check(bool condition) {
    if (!condition) std::abort();
}

// Runs one construction; returns the error text, or "" when it succeeded.
template <typename Construct>
std::string Run(const std::vector<uint8_t>& bytes, int64_t start, bool strict, Construct make,
                std::unique_ptr<TMPEGAudio>& audio) {
    TMediaInput input(bytes);
    input.Seek(start);
    input.SetStrict(strict);
    std::string error;
    try {
        audio = make(input);
        Check(audio != nullptr);
        Check(input.Position() >= start + 4);
    } catch (const EMPEGError& e) {
        error = e.what();
        Check(!error.empty());
    }
    Check(input.Strict() == strict);
    return error;
}

void Analyse(const std::vector<uint8_t>& bytes, int64_t start, bool strict) {
    std::unique_ptr<TMPEGAudio> first;
    std::unique_ptr<TMPEGAudio> walked;
    const std::string firstError = Run(bytes, start, strict, TMPEGAudio::ReadFirstHeader, first);
    const std::string walkError = Run(bytes, start, strict, TMPEGAudio::ScanAllFrames, walked);
    Check(firstError == walkError);
    if (!walkError.empty()) return;
    Check(first->FrameCount == 0 && first->Duration == 0);
    Check(first->SampleRate != 0);
    // Every counted frame after the first moves the walk forward by at least one byte.
    Check(walked->FrameCount >= 1);
    Check(walked->FrameCount <= bytes.size());
    Check(std::isfinite(walked->Duration) && walked->Duration > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const bool strict : {true, false}) {
        Analyse(bytes, 0, strict);
        Analyse(bytes, static_cast<int64_t>(size / 3), strict);
    }
    return 0;
}
