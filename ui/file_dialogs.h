// The options of the catalogue save dialog, shared by Save As and the result window's Save,
// and the absolute form of the file names the dialogs and the command line give.
#pragma once

#include <string>

#include "core/shell.h"

namespace tracklore::ui {

/// The save dialog's options: catalogue, CSV and all-files filters, `filterIndex` chosen
/// (1-based), the catalogue extension as default, starting in `lastDir` made absolute.
TFileDialogOptions SaveDialogOptions(const std::string& lastDir, int filterIndex);

/// `name` made absolute against the current folder, "." and ".." removed (links kept); a
/// name stays as given when the current folder cannot be found. The current file, its
/// caption and the remembered folders always name their place in full this way.
std::string AbsoluteFileName(const std::string& name);

}  // namespace tracklore::ui
