#include "ui/printer_dialog_qt.h"

namespace tracklore::ui {

bool ExecutePrinterDialogQt(QWidget*, TPrinterDialog&, const std::function<void(TPrintCanvas&)>&) {
    return false;
}

}  // namespace tracklore::ui
