// The Qt form of the "Find duplicates" dialog over its model.
#pragma once

class QWidget;

namespace tracklore {

struct TDuplicatesDialog;

/// Copies the model into the form, runs it modally, copies the boxes back on OK. OK is
/// enabled only while a rule is checked.
bool ExecuteDuplicatesDialogQt(QWidget* parent, TDuplicatesDialog& dialog);

}  // namespace tracklore
