// The MPEG playing engine: eight calls with C linkage over libmpg123 (decoding) and libout123
// (output). One engine per process; it plays one opened file at a time on a thread of its own.
#pragma once

#include <cstdint>

#define TRACKLORE_ENGINE_EXPORT __attribute__((visibility("default")))

// Every call returns 1 when it did its work or had nothing to do, and 0 when it could not;
// calls in the wrong order (Play before Open, anything before init) return 0 and do nothing.
extern "C" {

/// Makes the engine ready: 1 (non-zero low byte) when it is, 0 when the decoder could not be
/// set up. A second init while ready keeps the current state and returns 1.
TRACKLORE_ENGINE_EXPORT int32_t init();

/// Stops playing, closes the file and releases the decoder. init may follow again.
TRACKLORE_ENGINE_EXPORT int32_t deinit();

/// Opens the MP3 file at the zero-terminated `path` for playing, stopping and closing any
/// file played before. The eight further values are reserved; callers pass 0. Returns 0 when
/// the path is not a regular file or holds no MPEG audio the decoder can find.
TRACKLORE_ENGINE_EXPORT int32_t Open(const char* path, int32_t reserved1, int32_t reserved2,
                                     int32_t reserved3, int32_t reserved4, int32_t reserved5,
                                     int32_t reserved6, int32_t reserved7, int32_t reserved8);

/// Stops playing and closes the opened file.
TRACKLORE_ENGINE_EXPORT int32_t Close();

/// Plays the opened file from frame `firstFrame` (0 = the start) up to, not including, frame
/// `endFrame` (-1 = to the end) and returns while the sound goes on. Playing restarts when a
/// play is already under way. When `playFlag` is not null, the byte behind it is 1 from this
/// call until the playing has ended (at the end of the range, on an error, or by Stop, Close,
/// Open or deinit) and 0 from then on; the engine only writes it, and the byte must stay
/// valid until the play has ended.
TRACKLORE_ENGINE_EXPORT int32_t Play(int32_t firstFrame, int32_t endFrame, uint8_t* playFlag);

/// Stops playing and waits until the playing thread has ended; the file stays open.
TRACKLORE_ENGINE_EXPORT int32_t Stop();

/// Sets the priority of the playing thread for the plays that follow: 5 is normal, lower
/// values make it nicer to other programs, higher values ask for more (granted only where the
/// system lets the process raise its priority). Kept within 0..10.
TRACKLORE_ENGINE_EXPORT int32_t SetPriority(int32_t priority);

/// Chooses the output for the plays that follow. Device 0 is the system's default output, or
/// the out123 module named by the environment variable TRACKLORE_AUDIO_OUT as MODULE[:DEVICE]
/// (for example `wav:/tmp/out.wav`; `null` discards the sound). Other devices are refused
/// (result 0) and the choice stays as it was. `flags` is reserved.
TRACKLORE_ENGINE_EXPORT int32_t SetOutputDevice(int32_t device, int32_t flags);

}  // extern "C"
