// The five functions every player plug-in exports by plain name with C linkage, as the
// application binds them with dlsym, and the optional sixth, Stop. All arguments and results
// are 32-bit.
#pragma once

#include <cstdint>

namespace tracklore {

/// Results a plug-in returns.
inline constexpr int32_t kPluginOk = 0;
/// InitLibrary: the player engine failed to initialise.
inline constexpr int32_t kPluginEngineFailed = -4;
/// Configure: configuration not available.
inline constexpr int32_t kPluginNoConfiguration = -5;

/// Characters the caller passes as capacity; the buffer holds a length byte and this many
/// characters (256 bytes reserved by the caller).
inline constexpr int32_t kPluginNameCapacity = 255;

/// Exported names, exactly as looked up.
inline constexpr const char* kInitLibraryName = "InitLibrary";
inline constexpr const char* kGetPluginNameName = "GetPluginName";
inline constexpr const char* kPlayName = "Play";
inline constexpr const char* kAddName = "Add";
inline constexpr const char* kConfigureName = "Configure";
/// Optional: a plug-in without it plays as before, and the application offers no Stop.
inline constexpr const char* kStopName = "Stop";

/// `InitLibrary()`: 0 ready, -4 engine failed. Plug-ins run it themselves when loaded.
using TInitLibrary = int32_t (*)();
/// `GetPluginName(buffer, capacity)`: writes the display name as a length-prefixed text
/// (byte 0 = length n, bytes 1..n = characters), cut to `capacity` characters; returns 0.
using TGetPluginName = int32_t (*)(uint8_t* buffer, int32_t capacity);
/// `Play(path, capacity)` and `Add(path, capacity)`: `path` is a length-prefixed text holding
/// the full path of an MP3 file; 0 = accepted, any other value = player not available.
using TPlayFile = int32_t (*)(const uint8_t* path, int32_t capacity);
/// `Configure(value)`: -5 from a plug-in without configuration.
using TConfigure = int32_t (*)(int32_t value);
/// `Stop()`: ends what plays and forgets the files waiting to play; 0 = done (also when
/// nothing played), any other value = the player could not stop.
using TStopPlaying = int32_t (*)();

}  // namespace tracklore
