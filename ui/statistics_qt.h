// The Qt "Statistics" dialog over its model.
#pragma once

class QWidget;

namespace tracklore::ui {

struct TStatisticsBox;

/// Shows the filled-in statistics modally.
void ShowStatisticsBox(QWidget* parent, const TStatisticsBox& box);

}  // namespace tracklore::ui
