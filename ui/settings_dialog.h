// The "Settings..." dialog (TSettingsBox) as a model: the colour sample, the sample text's
// font and the VBR check box; EditSettings presets it from the preferences and writes back.
#pragma once

#include <cstdint>

#include "ui/prefs.h"

namespace tracklore::ui {

class TShell;

struct TSettingsBox {
    int32_t ViewBackgroundColor = kClWindow;  // the colour sample
    TFontDesc L_FontColor;                    // the sample text's font
    bool CB_ScanVBR = false;
    bool CB_OpenLast = true;  // "Open the last catalogue at start"
};

/// The options dialog: presets the model from `prefs`, runs it; on OK writes the colour,
/// the font and the check box back and returns true; otherwise leaves `prefs` untouched.
bool EditSettings(TPrefs& prefs, TShell& shell);

}  // namespace tracklore::ui
