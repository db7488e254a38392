// The playing thread: decodes the opened file frame by frame and hands the audio to out123.
#include "engine/play_thread.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mpg123.h>
#include <out123.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tracklore::engine {
namespace {

// The play flag is written here and may be read by the caller's thread at any time.
void SetFlag(uint8_t* flag, uint8_t value) {
    if (flag != nullptr) std::atomic_ref<uint8_t>(*flag).store(value);
}

// Linux applies a nice value set through the thread id to that thread alone. Raising the
// priority needs privileges; a refusal leaves the thread at normal priority.
void ApplyNiceness(int niceness) {
    if (niceness == 0) return;
    const int tid = static_cast<int>(gettid());
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno != 0) return;
    const int wanted = std::clamp(current + niceness, -20, 19);
    setpriority(PRIO_PROCESS, tid, wanted);
}

// Opens the output and starts it in the decoder's current format. Returns null on failure.
out123_handle* StartOutput(mpg123_handle* decoder, const TOutputChoice& choice) {
    out123_handle* output = out123_new();
    if (output == nullptr) return nullptr;
    out123_param_int(output, OUT123_FLAGS, OUT123_QUIET);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (out123_open(output, choice.ModuleOrNull(), choice.DeviceOrNull()) != OUT123_OK ||
        mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK ||
        out123_start(output, rate, channels, encoding) != OUT123_OK) {
        out123_del(output);
        return nullptr;
    }
    return output;
}

// Writes all of `bytes` unless the output fails or a stop is asked for.
bool PlayBytes(out123_handle* output, const unsigned char* audio, size_t bytes,
               const std::atomic<bool>& stop) {
    while (bytes > 0 && !stop.load()) {
        const size_t played = out123_play(output, const_cast<unsigned char*>(audio), bytes);
        if (played == 0 && out123_errcode(output) != OUT123_OK) return false;
        if (played == 0) return false;  // a module that takes nothing would spin forever
        audio += played;
        bytes -= played;
    }
    return true;
}

}  // namespace

TPlayThread::~TPlayThread() {
    try {
        Stop();
    } catch (...) {
    }
}

void TPlayThread::Start(const TPlayRequest& request) {
    Stop();
    stopRequested_ = false;
    SetFlag(request.PlayFlag, 1);
    try {
        thread_ = std::thread(&TPlayThread::Run, this, request);
    } catch (...) {
        SetFlag(request.PlayFlag, 0);
        throw;
    }
}

void TPlayThread::Stop() {
    if (!thread_.joinable()) return;
    stopRequested_ = true;
    thread_.join();
}

void TPlayThread::Run(TPlayRequest request) {
    ApplyNiceness(request.Niceness);
    mpg123_handle* decoder = request.Decoder;
    // Rewinds after an earlier play too; a file that cannot seek plays from where it is.
    mpg123_seek_frame(decoder, std::max<int32_t>(request.FirstFrame, 0), SEEK_SET);
    out123_handle* output = StartOutput(decoder, request.Output);
    bool failed = output == nullptr;
    while (!failed && !stopRequested_.load()) {
        off_t frame = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int result = mpg123_decode_frame(decoder, &frame, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(decoder, &rate, &channels, &encoding);
            out123_drain(output);
            out123_stop(output);
            failed = out123_start(output, rate, channels, encoding) != OUT123_OK;
            continue;
        }
        // Anything but a decoded frame ends the play: the end of the file, or data the
        // decoder cannot get past.
        if (result != MPG123_OK) break;
        if (request.EndFrame >= 0 && frame >= request.EndFrame) break;
        failed = !PlayBytes(output, audio, bytes, stopRequested_);
    }
    if (output != nullptr) {
        if (stopRequested_.load())
            out123_drop(output);
        else
            out123_drain(output);
        out123_del(output);  // closes the output: a WAV file gets its final sizes here
    }
    SetFlag(request.PlayFlag, 0);
}

}  // namespace tracklore::engine
