#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::AddItem() {}
void TMainWindow::EditItem(TViewSource) {}
void TMainWindow::DelItem(TViewSource) {}

}  // namespace tracklore::ui
