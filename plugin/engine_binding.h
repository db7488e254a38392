// The playing engine's eight calls as the plug-in imports them: looked up by name in the
// engine library the plug-in is linked against.
#pragma once

#include "engine/mpegdll_imports.h"

namespace tracklore::plugin {

/// The engine's calls; all null until Bind succeeds.
struct TEngineCalls {
    engine::TInit Init = nullptr;
    engine::TDeinit Deinit = nullptr;
    engine::TOpen Open = nullptr;
    engine::TClose Close = nullptr;
    engine::TPlay Play = nullptr;
    engine::TStop Stop = nullptr;
    engine::TSetPriority SetPriority = nullptr;
    engine::TSetOutputDevice SetOutputDevice = nullptr;

    /// True when every call is bound.
    bool Complete() const;
};

/// Looks the calls up by name in the engine library. A missing call stays null.
TEngineCalls BindEngine();

}  // namespace tracklore::plugin
