// The engine's state behind the eight exported calls: the decoder, the opened file, the
// chosen output and priority, and the playing thread.
#pragma once

#include <cstdint>
#include <mutex>

#include "engine/play_thread.h"

namespace tracklore::engine {

/// Priority values SetPriority accepts; kNormalPriority leaves the playing thread alone.
inline constexpr int32_t kLowestPriority = 0;
inline constexpr int32_t kNormalPriority = 5;
inline constexpr int32_t kHighestPriority = 10;

/// One engine; every member may be called in any order from any thread. Members return
/// false where the exported call returns 0.
class TMpegEngine {
public:
    TMpegEngine() = default;
    TMpegEngine(const TMpegEngine&) = delete;
    TMpegEngine& operator=(const TMpegEngine&) = delete;
    /// Releases everything deinit would.
    ~TMpegEngine();

    bool Init();
    void Deinit();
    bool Open(const char* path);
    bool Close();
    bool Play(int32_t firstFrame, int32_t endFrame, uint8_t* playFlag);
    bool Stop();
    bool SetPriority(int32_t priority);
    bool SetOutputDevice(int32_t device);

private:
    void CloseLocked();

    std::mutex mutex_;
    mpg123_handle* decoder_ = nullptr;
    bool open_ = false;
    int32_t priority_ = kNormalPriority;
    TPlayThread player_;
};

/// The process's one engine.
TMpegEngine& Engine();

}  // namespace tracklore::engine
