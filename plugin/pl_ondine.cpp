// PL_Ondine: the plug-in's exports, forwarded to the MPEG playing engine.
#include "plugin/pl_ondine.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "plugin/engine_binding.h"
#include "plugin/plugin_contract.h"

namespace {

using tracklore::plugin::TEngineCalls;

constexpr char kDisplayName[] = "Fennick's MPEG Player (ALPHA-version)";
constexpr int32_t kEnginePriority = 5;
// A length byte allows at most 255 characters, so a path always fits with its zero.
constexpr size_t kPathBufferSize = 512;

// Process-wide, as the library is loaded once per process.
TEngineCalls engineCalls;
bool isOpen = false;
// Handed to the engine, which keeps it at 1 while a file plays; the plug-in never reads it.
uint8_t playFlag = 0;

// The exports never call one another: a C name such as Play may resolve to another library's
// symbol (the engine has one), so shared work lives in these internal functions.

int32_t InitEngine() {
    isOpen = false;
    playFlag = 0;
    if (!engineCalls.Complete() || (engineCalls.Init() & 0xFF) == 0)
        return tracklore::kPluginEngineFailed;
    engineCalls.SetPriority(kEnginePriority);
    engineCalls.SetOutputDevice(0, 0);
    return tracklore::kPluginOk;
}

int32_t PlayFile(const uint8_t* path) {
    if (!engineCalls.Complete()) return tracklore::kPluginOk;
    if (isOpen) engineCalls.Close();
    std::array<char, kPathBufferSize> zeroTerminated{};
    if (path != nullptr) std::memcpy(zeroTerminated.data(), path + 1, path[0]);
    engineCalls.Open(zeroTerminated.data(), 0, 0, 0, 0, 0, 0, 0, 0);
    engineCalls.Play(0, -1, &playFlag);
    isOpen = true;
    return tracklore::kPluginOk;
}

int32_t StopFile() {
    if (!engineCalls.Complete() || !isOpen) return tracklore::kPluginOk;
    // Stop joins the playing thread; Close then lets go of the file, so a temporary copy
    // can be deleted while the plug-in stays loaded.
    engineCalls.Stop();
    engineCalls.Close();
    isOpen = false;
    return tracklore::kPluginOk;
}

__attribute__((constructor)) void StartLibrary() {
    engineCalls = tracklore::plugin::BindEngine();
    InitEngine();
}

__attribute__((destructor)) void EndLibrary() {
    // Joins the engine's playing thread before this library's code and playFlag go away.
    if (engineCalls.Stop != nullptr) engineCalls.Stop();
    if (engineCalls.Deinit != nullptr) engineCalls.Deinit();
    isOpen = false;
}

}  // namespace

extern "C" {

int32_t InitLibrary() {
    return InitEngine();
}

int32_t GetPluginName(uint8_t* buffer, int32_t capacity) {
    if (buffer == nullptr) return tracklore::kPluginOk;
    // The length byte holds at most 255, whatever capacity the caller claims.
    const int32_t limit = std::clamp(capacity, 0, tracklore::kPluginNameCapacity);
    const size_t length = std::min(std::strlen(kDisplayName), static_cast<size_t>(limit));
    buffer[0] = static_cast<uint8_t>(length);
    std::memcpy(buffer + 1, kDisplayName, length);
    return tracklore::kPluginOk;
}

int32_t Play(const uint8_t* path, int32_t /*capacity*/) {
    return PlayFile(path);
}

int32_t Add(const uint8_t* path, int32_t /*capacity*/) {
    return PlayFile(path);
}

int32_t Configure(int32_t /*value*/) {
    return tracklore::kPluginNoConfiguration;
}

int32_t Stop() {
    return StopFile();
}

}  // extern "C"
