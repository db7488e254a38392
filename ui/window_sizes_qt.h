// Sizes of resizable dialogs and windows, remembered while the program runs: a window
// opened again comes back at the size the user last gave it.
#pragma once

class QString;
class QWidget;

namespace tracklore::ui {

/// Gives `window` the size last remembered under `key` (else leaves the size it has) and
/// remembers its size under `key` each time it is hidden or closed.
void KeepSize(QWidget& window, const QString& key);

}  // namespace tracklore::ui
