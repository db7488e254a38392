// The Qt form of the item edit dialog ("Edit entry") over its model.
#pragma once

class QWidget;

namespace tracklore {

struct TEditDialog;

/// Copies the model into the form, runs it modally, copies the controls back on OK.
bool ExecuteEditDialogQt(QWidget* parent, TEditDialog& dialog);

}  // namespace tracklore
