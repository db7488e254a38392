// The out123 module and device a play writes to, read from the environment.
#include "engine/output_choice.h"

#include <cstdlib>

namespace tracklore::engine {

TOutputChoice ParseOutputChoice(const char* text) {
    TOutputChoice choice;
    if (text == nullptr) return choice;
    const std::string value(text);
    const size_t colon = value.find(':');
    choice.Module = value.substr(0, colon);
    if (colon != std::string::npos) choice.Device = value.substr(colon + 1);
    // out123 has no module called null; its built-in test module swallows the sound.
    if (choice.Module == "null") choice.Module = "test";
    return choice;
}

TOutputChoice OutputFromEnvironment() {
    return ParseOutputChoice(std::getenv(kAudioOutVariable));
}

}  // namespace tracklore::engine
