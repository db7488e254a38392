#include "ui/main_window.h"

namespace tracklore::ui {

void TMainWindow::Search() {}
void TMainWindow::AdvancedSearch() {}
void TMainWindow::SelectFormSave(const TSelectForm&) {}
void TMainWindow::SelectFormPrint(const TSelectForm&) {}
void TMainWindow::SelectFormSearchWithin(const TSelectForm&) {}

}  // namespace tracklore::ui
