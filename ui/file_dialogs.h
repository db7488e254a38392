// The options of the catalogue save dialog, shared by Save As and the result window's Save.
#pragma once

#include <string>

#include "ui/shell.h"

namespace tracklore::ui {

/// The save dialog's options: catalogue, CSV and all-files filters, `filterIndex` chosen
/// (1-based), the catalogue extension as default, starting in `lastDir`.
TFileDialogOptions SaveDialogOptions(const std::string& lastDir, int filterIndex);

}  // namespace tracklore::ui
