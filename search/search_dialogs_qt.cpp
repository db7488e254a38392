#include "search/search_dialogs_qt.h"

namespace tracklore {

bool ExecuteSearchDialogQt(QWidget*, TSearchDialog&) {
    return false;
}

bool ExecuteAdvancedSearchQt(QWidget*, TSearchDialog2&, ui::TShell&) {
    return false;
}

}  // namespace tracklore
