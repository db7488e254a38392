// The result window ("SelectForm") of an advanced search: a non-modal window over a
// TSelectForm model, with its Save, Print and "Search within this view" actions.
#pragma once

#include <memory>

namespace tracklore {

class TSelectForm;
namespace ui {
class TMainForm;
}

/// Opens the window (owned by `mainForm`, closed with it) and shows it without blocking.
void ShowSelectFormQt(ui::TMainForm& mainForm, std::unique_ptr<TSelectForm> form);

}  // namespace tracklore
