// The "Statistics" dialog (TStatisticsBox) as a model and the two reports on the catalogue:
// File Info's totals and the size of the selected files.
#pragma once

namespace tracklore::ui {

struct TStatisticsBox {};

}  // namespace tracklore::ui
