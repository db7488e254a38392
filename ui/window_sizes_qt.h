// Sizes of resizable dialogs and windows, remembered while the program runs and, once a
// store is named, between runs in the preferences store: a window opened again comes back
// at the size the user last gave it.
#pragma once

#include <string>

class QString;
class QWidget;

namespace tracklore::ui {

/// Gives `window` the size last remembered under `key` (taken from the store on first use;
/// else it keeps the size it has), cut to the screen's free area, and remembers its size
/// under `key` each time it is hidden or closed.
void KeepSize(QWidget& window, const QString& key);

/// Names the preferences store sizes are read from and saved to ("" for none: sizes are
/// kept for this run only). Naming a store forgets the sizes remembered so far.
void SetWindowSizeStore(const std::string& registryFile);

/// Writes every size remembered in this run to the store. Raises EInOutError when the store
/// cannot be written; does nothing without a store.
void StoreWindowSizes();

}  // namespace tracklore::ui
