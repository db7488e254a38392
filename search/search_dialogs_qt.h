// The Qt forms of the field search ("Search Dialog") and the advanced search ("Advanced
// search...") over their models.
#pragma once

class QWidget;

namespace tracklore {

struct TSearchDialog;
struct TSearchDialog2;
namespace ui {
class TShell;
}

/// Copies the model into the form, runs it modally, copies the controls back on OK.
bool ExecuteSearchDialogQt(QWidget* parent, TSearchDialog& dialog);
/// As above; "Test..." and "&Search..." run the model's handlers, messages through `shell`.
bool ExecuteAdvancedSearchQt(QWidget* parent, TSearchDialog2& dialog, ui::TShell& shell);

}  // namespace tracklore
