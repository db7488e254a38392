// Which out123 module and device a play writes to: the system default, or the module named
// by the environment variable TRACKLORE_AUDIO_OUT.
#pragma once

#include <string>

namespace tracklore::engine {

/// The environment variable naming the output as MODULE[:DEVICE].
inline constexpr const char* kAudioOutVariable = "TRACKLORE_AUDIO_OUT";

/// An out123 module and device; empty texts let out123 choose its defaults.
struct TOutputChoice {
    std::string Module;
    std::string Device;

    /// The texts as out123_open takes them: null for an empty text.
    const char* ModuleOrNull() const { return Module.empty() ? nullptr : Module.c_str(); }
    const char* DeviceOrNull() const { return Device.empty() ? nullptr : Device.c_str(); }
};

/// Splits MODULE[:DEVICE] at the first colon (a device may hold colons itself). A null or
/// empty text is the default output. The module `null` stands for out123's `test` module,
/// which takes the sound and discards it.
TOutputChoice ParseOutputChoice(const char* text);

/// The output named by TRACKLORE_AUDIO_OUT, or the default output when it is not set.
TOutputChoice OutputFromEnvironment();

}  // namespace tracklore::engine
