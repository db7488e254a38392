// PL_Ondine, the player plug-in over the MPEG playing engine: the five exports of the plug-in
// contract and its optional Stop (see plugin/plugin_contract.h) with C linkage and plain
// names. One player per process; loading the library initialises the engine, unloading stops
// and releases it.
#pragma once

#include <cstdint>

#define TRACKLORE_PLUGIN_EXPORT __attribute__((visibility("default")))

extern "C" {

/// Resets the plug-in's state and sets the engine up: 0 when ready, -4 when the engine
/// failed to initialise (priority and output are then left alone). Runs when the library is
/// loaded; the application never needs to call it.
TRACKLORE_PLUGIN_EXPORT int32_t InitLibrary();

/// Writes "Fennick's MPEG Player (ALPHA-version)" into `buffer` as a length-prefixed text cut
/// to `capacity` characters (0..255); returns 0.
TRACKLORE_PLUGIN_EXPORT int32_t GetPluginName(uint8_t* buffer, int32_t capacity);

/// Plays the file whose full path is the length-prefixed text `path`, closing the file played
/// before; returns while the sound goes on. `capacity` is not used. Always returns 0: a file
/// the engine cannot play is not reported.
TRACKLORE_PLUGIN_EXPORT int32_t Play(const uint8_t* path, int32_t capacity);

/// The same as Play: the plug-in keeps no play list, the file replaces whatever was playing.
TRACKLORE_PLUGIN_EXPORT int32_t Add(const uint8_t* path, int32_t capacity);

/// No configuration is available: returns -5 whatever `value` is.
TRACKLORE_PLUGIN_EXPORT int32_t Configure(int32_t value);

/// Stops the file playing and closes it, so nothing plays until the next Play or Add (the
/// plug-in keeps no play list to clear). Returns 0, also when nothing played.
TRACKLORE_PLUGIN_EXPORT int32_t Stop();

}  // extern "C"
