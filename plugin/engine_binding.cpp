// The playing engine's calls looked up by name in the engine library and bound.
#include "plugin/engine_binding.h"

#include <dlfcn.h>

namespace tracklore::plugin {
namespace {

template <typename Function>
void Look(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
}

}  // namespace

bool TEngineCalls::Complete() const {
    return Init != nullptr && Deinit != nullptr && Open != nullptr && Close != nullptr &&
           Play != nullptr && Stop != nullptr && SetPriority != nullptr &&
           SetOutputDevice != nullptr;
}

TEngineCalls BindEngine() {
    // The plug-in and the engine both export a C function named Play, and ELF has one symbol
    // namespace, so the engine's calls are taken from the engine's own handle, not linked by
    // symbol. The engine is a needed library of the plug-in (found through its $ORIGIN
    // run path), already loaded here; the extra reference is dropped at once, and the
    // addresses stay valid as long as the plug-in is loaded.
    TEngineCalls calls;
    void* library = dlopen(engine::kEngineLibrary, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return calls;
    Look(library, "init", calls.Init);
    Look(library, "deinit", calls.Deinit);
    Look(library, "Open", calls.Open);
    Look(library, "Close", calls.Close);
    Look(library, "Play", calls.Play);
    Look(library, "Stop", calls.Stop);
    Look(library, "SetPriority", calls.SetPriority);
    Look(library, "SetOutputDevice", calls.SetOutputDevice);
    dlclose(library);
    return calls;
}

}  // namespace tracklore::plugin
