#include "search/edit_dialog_qt.h"

namespace tracklore {

bool ExecuteEditDialogQt(QWidget*, TEditDialog&) {
    return false;
}

}  // namespace tracklore
