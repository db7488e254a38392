// A player plug-in for tests. It exports the five functions of the plug-in contract and Stop
// (left out when built with TRACKLORE_FAKE_PLUGIN_NO_STOP), writes one line per call (and
// "load" / "unload") into the file named by TRACKLORE_FAKE_PLUGIN_LOG, returns
// TRACKLORE_FAKE_PLUGIN_RESULT (default 0) from Play, Add and Stop, and names itself
// TRACKLORE_FAKE_PLUGIN_NAME (default "Fake Player").
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Log(const std::string& line) {
    const char* file = std::getenv("TRACKLORE_FAKE_PLUGIN_LOG");
    if (file == nullptr || file[0] == '\0') return;
    if (FILE* out = std::fopen(file, "a")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

int32_t Result() {
    const char* text = std::getenv("TRACKLORE_FAKE_PLUGIN_RESULT");
    return text != nullptr ? static_cast<int32_t>(std::atoi(text)) : 0;
}

std::string PathOf(const uint8_t* path) {
    return path == nullptr ? std::string("(null)")
                           : std::string(reinterpret_cast<const char*>(path + 1), path[0]);
}

// Numbers are printed with snprintf: std::to_string would give the library a unique symbol,
// and the loader never unloads a library that has one.
std::string Number(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
}

int32_t Take(const char* what, const uint8_t* path, int32_t capacity) {
    Log(std::string(what) + " " + Number(capacity) + " " + PathOf(path));
    return Result();
}

__attribute__((constructor)) void Loaded() {
    Log("load");
}

__attribute__((destructor)) void Unloaded() {
    Log("unload");
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t InitLibrary() {
    Log("InitLibrary");
    return 0;
}

__attribute__((visibility("default"))) int32_t GetPluginName(uint8_t* buffer, int32_t capacity) {
    Log("GetPluginName " + Number(capacity));
    const char* name = std::getenv("TRACKLORE_FAKE_PLUGIN_NAME");
    std::string text = name != nullptr ? name : "Fake Player";
    if (capacity < 0) capacity = 0;
    if (text.size() > static_cast<size_t>(capacity)) text.resize(static_cast<size_t>(capacity));
    if (text.size() > 255) text.resize(255);
    buffer[0] = static_cast<uint8_t>(text.size());
    std::memcpy(buffer + 1, text.data(), text.size());
    return 0;
}

__attribute__((visibility("default"))) int32_t Play(const uint8_t* path, int32_t capacity) {
    return Take("Play", path, capacity);
}

__attribute__((visibility("default"))) int32_t Add(const uint8_t* path, int32_t capacity) {
    return Take("Add", path, capacity);
}

__attribute__((visibility("default"))) int32_t Configure(int32_t value) {
    Log("Configure " + Number(value));
    return -5;
}

#ifndef TRACKLORE_FAKE_PLUGIN_NO_STOP
__attribute__((visibility("default"))) int32_t Stop() {
    Log("Stop");
    return Result();
}
#endif
}
