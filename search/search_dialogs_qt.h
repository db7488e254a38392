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

/// Copies the model into the form, runs it modally, copies the controls back on OK. OK
/// closes only when the model's OKBtnClick allows it (its message through `shell`).
bool ExecuteSearchDialogQt(QWidget* parent, TSearchDialog& dialog, ui::TShell& shell);
/// As above; "Test..." and "&Search..." run the model's handlers, messages through `shell`.
bool ExecuteAdvancedSearchQt(QWidget* parent, TSearchDialog2& dialog, ui::TShell& shell);

}  // namespace tracklore
