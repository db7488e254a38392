#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::FileInfo() {}
void TMainWindow::TotalFilesize(TViewSource) {}

}  // namespace tracklore::ui
