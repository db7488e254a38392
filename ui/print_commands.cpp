#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::PrintCommand() {}
void TMainWindow::PrintSet(TTracklore&) {}

}  // namespace tracklore::ui
