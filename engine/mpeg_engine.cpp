// The engine's state behind the exported calls: opening, playing, stopping and closing a file.
#include "engine/mpeg_engine.h"

#include <algorithm>
#include <mpg123.h>
#include <sys/stat.h>

namespace tracklore::engine {
namespace {

// Decoding always yields 16-bit signed samples, whatever the decoder would pick, so every
// output module takes the sound as it comes.
void ForceSixteenBitOutput(mpg123_handle* decoder) {
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
}

// Opening a FIFO or a device would block or never end; only regular files are played.
bool IsRegularFile(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

TMpegEngine::~TMpegEngine() {
    try {
        Deinit();
    } catch (...) {
    }
}

bool TMpegEngine::Init() {
    std::lock_guard lock(mutex_);
    if (decoder_ != nullptr) return true;
    int error = MPG123_OK;
    decoder_ = mpg123_new(nullptr, &error);
    if (decoder_ == nullptr) return false;
    mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    ForceSixteenBitOutput(decoder_);
    return true;
}

void TMpegEngine::Deinit() {
    std::lock_guard lock(mutex_);
    CloseLocked();
    if (decoder_ != nullptr) mpg123_delete(decoder_);
    decoder_ = nullptr;
    priority_ = kNormalPriority;
}

bool TMpegEngine::Open(const char* path) {
    std::lock_guard lock(mutex_);
    CloseLocked();
    if (decoder_ == nullptr || path == nullptr || !IsRegularFile(path)) return false;
    if (mpg123_open(decoder_, path) != MPG123_OK) return false;
    // Reading the first frame header tells a file without MPEG audio at once.
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK) {
        mpg123_close(decoder_);
        return false;
    }
    open_ = true;
    return true;
}

bool TMpegEngine::Close() {
    std::lock_guard lock(mutex_);
    CloseLocked();
    return decoder_ != nullptr;
}

bool TMpegEngine::Play(int32_t firstFrame, int32_t endFrame, uint8_t* playFlag) {
    std::lock_guard lock(mutex_);
    player_.Stop();
    if (!open_) {
        if (playFlag != nullptr) std::atomic_ref<uint8_t>(*playFlag).store(0);
        return false;
    }
    TPlayRequest request;
    request.Decoder = decoder_;
    request.Output = OutputFromEnvironment();
    request.FirstFrame = firstFrame;
    request.EndFrame = endFrame;
    request.Niceness = (kNormalPriority - priority_) * 2;
    request.PlayFlag = playFlag;
    player_.Start(request);
    return true;
}

bool TMpegEngine::Stop() {
    std::lock_guard lock(mutex_);
    player_.Stop();
    return decoder_ != nullptr;
}

bool TMpegEngine::SetPriority(int32_t priority) {
    std::lock_guard lock(mutex_);
    if (decoder_ == nullptr) return false;
    priority_ = std::clamp(priority, kLowestPriority, kHighestPriority);
    return true;
}

bool TMpegEngine::SetOutputDevice(int32_t device) {
    // Device 0 is the only one: the default output, or the one the environment names when
    // a play starts.
    std::lock_guard lock(mutex_);
    return decoder_ != nullptr && device == 0;
}

void TMpegEngine::CloseLocked() {
    player_.Stop();
    if (open_) mpg123_close(decoder_);
    open_ = false;
}

TMpegEngine& Engine() {
    static TMpegEngine engine;
    return engine;
}

}  // namespace tracklore::engine
