// The "Settings..." model: preset from the preferences and written back into them.
#include "ui/settings_dialog.h"

#include <algorithm>

#include "core/shell.h"

namespace tracklore::ui {

bool EditSettings(TPrefs& prefs, TShell& shell) {
    TSettingsBox box;
    box.ViewBackgroundColor = prefs.ListBkColor;
    box.L_FontColor = prefs.ListFont;
    box.CB_ScanVBR = prefs.ScanVBR;
    box.SE_Capacity = prefs.Capacity;
    box.CB_OpenLast = prefs.OpenLastAtStart;
    if (!shell.ExecuteSettings(box)) return false;
    prefs.ListBkColor = box.ViewBackgroundColor;
    prefs.ListFont = box.L_FontColor;
    prefs.ScanVBR = box.CB_ScanVBR;
    prefs.Capacity = std::clamp(box.SE_Capacity, TPrefs::kMinCapacity, TTracklore::kMaxCapacity);
    prefs.OpenLastAtStart = box.CB_OpenLast;
    return true;
}

}  // namespace tracklore::ui
