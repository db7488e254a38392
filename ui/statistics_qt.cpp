#include "ui/statistics_qt.h"

namespace tracklore::ui {

void ShowStatisticsBox(QWidget*, const TStatisticsBox&) {}

}  // namespace tracklore::ui
