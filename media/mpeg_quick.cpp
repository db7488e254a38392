// The quick analysis of ScanQuick: play time and mean bit rate from an encoder's summary
// header or from a few runs of frames, falling back to the walk of every frame.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "media/byte_order.h"
#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "media/mpeg_header_bits.h"
#include "media/vbr_header.h"

namespace tracklore {

namespace {

using mpeg::kKindAndRateMask;
using mpeg::kKindMask;
// The lowest and highest listed bit-rate indexes (0 is free format, 15 forbidden).
constexpr uint32_t kLowestRateIndex = 1;
constexpr uint32_t kHighestRateIndex = 14;
// Frames of one rate that confirm, at each place looked at inside the audio, the rate of the
// first ones.
constexpr int kMiddleFrames = 4;
// The places looked at, in quarters of the audio. One place is not enough: a variable-rate
// file whose opening and a pause at that place are both coded at the lowest rate would be
// taken as constant and get several times its real length.
constexpr int kProbeQuarters[] = {1, 2, 3};
// How far from such a place the next frame header is looked for: more than the longest
// frame of any common kind.
constexpr int64_t kMiddleSearch = 2 * 1024;
// Bytes of the first frame that hold any summary header.
constexpr size_t kSummaryBytes = 64;

// The header word at `at`, or nothing when the stream ends before its four bytes.
std::optional<uint32_t> WordAt(TSeekableStream& stream, int64_t at) {
    uint8_t bytes[4];
    stream.Seek(at);
    if (stream.Read(bytes, 4) < 4) return std::nullopt;
    return ReadBigEndian32(bytes);
}

// The offset just behind the audio: before a trailing ID3v1 tag, else the end.
int64_t AudioEnd(TSeekableStream& stream, int64_t frameStart) {
    const int64_t size = stream.Size();
    if (size - kId3v1Size < frameStart + 4) return size;
    uint8_t mark[3];
    stream.Seek(size - kId3v1Size);
    if (stream.Read(mark, 3) == 3 && std::memcmp(mark, "TAG", 3) == 0) return size - kId3v1Size;
    return size;
}

// The mean length in bytes of frames of `kind` (a decoded header) at `bitRate` kbit/s: what
// the padding of a steady encoder adds up to.
double MeanFrameBytes(const TMPEGAudio& kind, double bitRate) {
    return kind.SamplesPerFrame() * bitRate * 125.0 / kind.SampleRate;
}

// The shortest and longest frames `word`'s kind can have at a listed bit rate.
struct TFrameBounds {
    double Shortest = 0;
    double Longest = 0;
};

TFrameBounds BoundsOf(uint32_t word) {
    TMPEGAudio probe;
    TFrameBounds bounds;
    // The shortest frame has the lowest rate and no padding, the longest the highest and a
    // padding slot.
    const uint32_t shortest =
        mpeg::WithField(word, mpeg::kBitRateMask, kLowestRateIndex) & ~mpeg::kPaddingBit;
    const uint32_t longest =
        mpeg::WithField(word, mpeg::kBitRateMask, kHighestRateIndex) | mpeg::kPaddingBit;
    if (probe.ParseHeader(shortest)) bounds.Shortest = probe.FrameLength;
    if (probe.ParseHeader(longest)) bounds.Longest = probe.FrameLength;
    return bounds;
}

// True when `count` frames follow each other from `at` with `word`'s kind and bit rate.
bool SameRateRun(TSeekableStream& stream, int64_t at, uint32_t word, int count) {
    TMPEGAudio probe;
    for (int i = 0; i < count; ++i) {
        const auto next = WordAt(stream, at);
        if (!next || (*next & kKindAndRateMask) != (word & kKindAndRateMask)) return false;
        probe.ParseHeader(*next);
        at += probe.FrameLength;
    }
    return true;
}

// Looks for a frame header of `word`'s kind a little behind `from` and checks that a run of
// frames of the same bit rate starts there. A run of another rate, or none found, means the
// rate cannot be taken as constant.
bool RunHasSameRateAt(TSeekableStream& stream, int64_t from, uint32_t word, int count) {
    uint8_t bytes[kMiddleSearch];
    stream.Seek(from);
    const int32_t got = stream.Read(bytes, static_cast<int32_t>(sizeof bytes));
    for (int32_t i = 0; i + 4 <= got; ++i) {
        const uint32_t candidate = ReadBigEndian32(bytes + i);
        if ((candidate & kKindMask) != (word & kKindMask)) continue;
        TMPEGAudio probe;
        if (!probe.ParseHeader(candidate) || probe.FrameLength < 4) continue;
        // A real header is followed by another of the same kind one frame further on; a
        // chance match in the audio data mostly is not.
        const auto second = WordAt(stream, from + i + probe.FrameLength);
        if (!second || (*second & kKindMask) != (word & kKindMask)) continue;
        return SameRateRun(stream, from + i, word, count);
    }
    return false;
}

// Where the look at `quarter` quarters into the audio starts. Started at a block boundary
// of a media input, the run of a common kind is read with one small block.
int64_t ProbeStart(int64_t frameStart, int64_t audioEnd, int quarter) {
    const int64_t from = frameStart + (audioEnd - frameStart) / 4 * quarter;
    return std::max(from - from % TMediaInput::kSmallBlockSize, frameStart);
}

}  // namespace

void TMPEGAudio::QuickLength(TSeekableStream& stream) {
    const int64_t afterHeader = stream.Position();
    const int64_t frameStart = afterHeader - 4;

    uint8_t frame[kSummaryBytes] = {};
    stream.Seek(frameStart);
    // The summary lies inside the first frame: bytes of the next one are no part of it.
    const auto wanted =
        static_cast<int32_t>(FrameLength >= 4 ? std::min<size_t>(kSummaryBytes, FrameLength) : 4);
    const int32_t got = stream.Read(frame, wanted);
    const uint32_t word = ReadBigEndian32(frame);
    const std::optional<TVbrHeader> summary =
        ReadVbrHeader(word, frame, static_cast<size_t>(std::max(got, 0)));

    // A steady rate needs a listed bit rate (not free format).
    const bool listedRate = BitRate != 0 && FrameLength >= 4;
    auto* const input = dynamic_cast<TMediaInput*>(&stream);
    if (input != nullptr) {
        // On a CD or a network share each request costs far more than its bytes: the places
        // looked at later are announced now, so the system fetches them side by side, and
        // the run of first frames is fetched with one request rather than block by block.
        const int64_t size = stream.Size();
        input->WillNeed(size - kId3v1Size, kId3v1Size);
        if (listedRate && !summary) {
            for (const int quarter : kProbeQuarters) {
                // Where the probe starts depends on a trailing ID3v1 tag, not read yet.
                const int64_t withTag = ProbeStart(frameStart, size - kId3v1Size, quarter);
                const int64_t without = ProbeStart(frameStart, size, quarter);
                input->WillNeed(withTag, without - withTag + TMediaInput::kSmallBlockSize);
            }
            input->Prefetch(frameStart, kSameRateFrames * (FrameLength + 1) + 4);
        }
    }
    const bool steadyStart =
        !summary && listedRate && SameRateRun(stream, frameStart, word, kSameRateFrames);

    const int64_t audioEnd = AudioEnd(stream, frameStart);
    const auto audioBytes = static_cast<double>(audioEnd - frameStart);
    const TFrameBounds bounds = BoundsOf(word);
    const double samples = SamplesPerFrame();

    if (summary && bounds.Shortest > 0) {
        const double frames = summary->Frames;
        const double bytes = summary->Bytes;
        // The counts come from the file: a header that cannot describe this audio (no
        // frames, more frames than the bytes hold, far fewer than fill them, a byte count
        // beyond the audio or not matching the frame count) is passed over.
        bool fits = frames > 0 && frames * bounds.Shortest <= audioBytes + bounds.Longest &&
                    frames * bounds.Longest >= audioBytes * 7.0 / 8.0;
        if (fits && bytes > 0) {
            fits = bytes <= static_cast<double>(audioEnd) && bytes >= audioBytes * 7.0 / 8.0 &&
                   bytes / frames >= bounds.Shortest - 1 && bytes / frames <= bounds.Longest + 4;
        }
        if (fits) {
            FrameCount = summary->Frames;
            Duration = frames * samples / SampleRate;
            // A constant-rate summary keeps the first frame's rate, when it is a listed one.
            if (summary->Kind != TVbrHeaderKind::Info || !listedRate) {
                const double used = bytes > 0 ? bytes : audioBytes;
                const double rate = std::trunc(used * 8.0 / Duration / 1000.0);
                BitRate = static_cast<uint16_t>(std::clamp(rate, 1.0, 65534.0));
            }
            LengthSource = summary->Kind == TVbrHeaderKind::Vbri ? TLengthSource::VbriHeader
                                                                 : TLengthSource::XingHeader;
            return;
        }
    }

    // A file without a usable summary whose summary frame was passed over still gets the
    // chance of a steady rate.
    const bool steady =
        listedRate &&
        (steadyStart || (summary && SameRateRun(stream, frameStart, word, kSameRateFrames)));
    const auto sameRateInside = [&] {
        for (const int quarter : kProbeQuarters) {
            const int64_t from = ProbeStart(frameStart, audioEnd, quarter);
            if (!RunHasSameRateAt(stream, from, word, kMiddleFrames)) return false;
        }
        return true;
    };
    if (steady && sameRateInside()) {
        const double frames = std::round(audioBytes / MeanFrameBytes(*this, BitRate));
        FrameCount = static_cast<uint32_t>(std::max(frames, 1.0));
        Duration = FrameCount * samples / SampleRate;
        LengthSource = TLengthSource::ConstantRate;
        return;
    }

    // From here every frame header is read: a media input may read ahead again.
    if (input != nullptr) input->ExpectStraightRead();
    stream.Seek(afterHeader);
    WalkFrames(stream);
}

}  // namespace tracklore
