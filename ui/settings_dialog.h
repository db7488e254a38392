// The "Settings..." dialog (TSettingsBox) as a model: the colour sample, the sample text's
// font, the VBR check box and the catalogue capacity; EditSettings presets it from the
// preferences and writes back.
#pragma once

#include <cstdint>

#include "ui/prefs.h"

namespace tracklore::ui {

class TShell;

struct TSettingsBox {
    int32_t ViewBackgroundColor = kClWindow;  // the colour sample
    TFontDesc L_FontColor;                    // the sample text's font
    bool CB_ScanVBR = false;
    int32_t SE_Capacity = TPrefs::kMinCapacity;  // TPrefs::kMinCapacity to kMaxCapacity
    bool CB_OpenLast = true;                     // "Open the last catalogue at start"
};

/// The options dialog: presets the model from `prefs`, runs it; on OK writes the colour,
/// the font, the check box and the capacity (brought into its range) back and returns true;
/// otherwise leaves `prefs` untouched.
bool EditSettings(TPrefs& prefs, TShell& shell);

}  // namespace tracklore::ui
