// The eight calls of the MPEG playing engine as function types and export names, for callers
// that bind the engine by name (the player plug-in) instead of linking against its symbols.
#pragma once

#include <cstdint>

namespace tracklore::engine {

using TInit = int32_t (*)();
using TDeinit = int32_t (*)();
using TOpen = int32_t (*)(const char* path, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                          int32_t, int32_t);
using TClose = int32_t (*)();
using TPlay = int32_t (*)(int32_t firstFrame, int32_t endFrame, uint8_t* playFlag);
using TStop = int32_t (*)();
using TSetPriority = int32_t (*)(int32_t priority);
using TSetOutputDevice = int32_t (*)(int32_t device, int32_t flags);

/// The shared library's name as the dynamic loader knows it.
inline constexpr const char* kEngineLibrary = "libMPEGDLL.so";

}  // namespace tracklore::engine
