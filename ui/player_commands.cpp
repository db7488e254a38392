#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::PlayerPlay(TViewSource) {}
void TMainWindow::PlayerAdd(TViewSource) {}
void TMainWindow::ConfigPlayer() {}

}  // namespace tracklore::ui
