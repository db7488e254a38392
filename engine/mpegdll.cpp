// The exported calls only forward to the engine object: they never call one another, so a
// plug-in exporting a function of the same name (Play) cannot be reached from in here.
#include "engine/mpegdll.h"

#include "engine/mpeg_engine.h"

using tracklore::engine::Engine;

namespace {

// No exception may cross the C boundary; a failure is the result 0.
template <typename Call>
int32_t Guarded(Call call) {
    try {
        return call() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace

extern "C" {

int32_t init() {
    return Guarded([] { return Engine().Init(); });
}

int32_t deinit() {
    return Guarded([] {
        Engine().Deinit();
        return true;
    });
}

int32_t Open(const char* path, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
             int32_t) {
    return Guarded([path] { return Engine().Open(path); });
}

int32_t Close() {
    return Guarded([] { return Engine().Close(); });
}

int32_t Play(int32_t firstFrame, int32_t endFrame, uint8_t* playFlag) {
    return Guarded([=] { return Engine().Play(firstFrame, endFrame, playFlag); });
}

int32_t Stop() {
    return Guarded([] { return Engine().Stop(); });
}

int32_t SetPriority(int32_t priority) {
    return Guarded([priority] { return Engine().SetPriority(priority); });
}

int32_t SetOutputDevice(int32_t device, int32_t) {
    return Guarded([device] { return Engine().SetOutputDevice(device); });
}

}  // extern "C"
