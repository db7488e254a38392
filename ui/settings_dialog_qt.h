// The Qt "Settings..." dialog over its model.
#pragma once

class QWidget;

namespace tracklore::ui {

struct TSettingsBox;

/// Copies the model into the widgets, runs the dialog, copies back on OK (true).
bool ExecuteSettingsBox(QWidget* parent, TSettingsBox& box);

}  // namespace tracklore::ui
