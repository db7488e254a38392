// The Qt "Configure External Player" dialog over its model.
#pragma once

class QWidget;

namespace tracklore::playback {

struct TExtPlayerDialog;

/// Copies the model into the form, runs it modally, copies the controls back on OK.
bool ExecutePlayerDialogQt(QWidget* parent, TExtPlayerDialog& dialog);

}  // namespace tracklore::playback
