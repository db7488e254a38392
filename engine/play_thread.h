// The engine's playing thread: decodes the opened file frame by frame with libmpg123 and
// hands the sound to a libout123 output opened for this play alone.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/output_choice.h"

typedef struct mpg123_handle_struct mpg123_handle;

namespace tracklore::engine {

/// What one play needs. The decoder belongs to the caller, who must not touch it until the
/// play has been joined.
struct TPlayRequest {
    mpg123_handle* Decoder = nullptr;
    TOutputChoice Output;
    int32_t FirstFrame = 0;
    int32_t EndFrame = -1;        ///< first frame not played; negative = to the end
    int Niceness = 0;             ///< added to the thread's nice value; 0 leaves it alone
    uint8_t* PlayFlag = nullptr;  ///< 1 while the play runs, 0 after; may be null
};

class TPlayThread {
public:
    TPlayThread() = default;
    TPlayThread(const TPlayThread&) = delete;
    TPlayThread& operator=(const TPlayThread&) = delete;
    /// Stops and joins a play still running.
    ~TPlayThread();

    /// Stops any earlier play, sets the play flag to 1 and starts playing on a new thread.
    void Start(const TPlayRequest& request);

    /// Asks the play to end and waits for its thread; harmless when nothing plays. On return
    /// the output is closed (a WAV file is complete) and the play flag is 0.
    void Stop();

private:
    void Run(TPlayRequest request);

    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
};

}  // namespace tracklore::engine
