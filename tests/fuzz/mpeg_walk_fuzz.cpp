// Fuzz target for the MPEG audio analyser: any bytes are searched for a first header, walked
// frame by frame and analysed quickly (summary headers, steady rates), from the start and
// from an offset, over strict and loose streams. Only the analyser's own error may come out,
// the walk always ends, all constructions agree on whether a header exists, the quick
// analysis gives the walk's values whenever it falls back to the walk and sane values
// otherwise, and the caller's strictness is given back.
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

void CheckQuick(const TMPEGAudio& quick, const TMPEGAudio& walked, const TMPEGAudio& first,
                size_t size) {
    using tracklore::TLengthSource;
    Check(quick.SampleRate == first.SampleRate);
    Check(quick.LengthSource != TLengthSource::None);
    if (quick.LengthSource == TLengthSource::Walk) {
        Check(quick.FrameCount == walked.FrameCount);
        Check(quick.Duration == walked.Duration);
        Check(quick.BitRate == walked.BitRate);
        return;
    }
    // A count taken from the file still describes at most what the bytes can hold.
    Check(quick.FrameCount >= 1 && quick.FrameCount <= size);
    Check(std::isfinite(quick.Duration) && quick.Duration > 0);
    Check(quick.BitRate >= 1 && quick.BitRate != 65535);
}

void Analyse(const std::vector<uint8_t>& bytes, int64_t start, bool strict) {
    std::unique_ptr<TMPEGAudio> first;
    std::unique_ptr<TMPEGAudio> walked;
    std::unique_ptr<TMPEGAudio> quick;
    const std::string firstError = Run(bytes, start, strict, TMPEGAudio::ReadFirstHeader, first);
    const std::string walkError = Run(bytes, start, strict, TMPEGAudio::ScanAllFrames, walked);
    const std::string quickError = Run(bytes, start, strict, TMPEGAudio::ScanQuick, quick);
    Check(firstError == walkError);
    Check(quickError == walkError);
    if (!walkError.empty()) return;
    CheckQuick(*quick, *walked, *first, bytes.size());
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
