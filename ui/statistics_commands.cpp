// The main window's File info and Total file size commands.
#include "core/catalogue.h"
#include "ui/main_window.h"
#include "ui/statistics.h"

namespace tracklore::ui {

void TMainWindow::FileInfo() {
    shell_.ShowStatistics(FillStatistics(*catalogue_, currentFile_));
}

void TMainWindow::TotalFilesize(TViewSource source) {
    const std::vector<int32_t> ids = views_.SelectedIds(source);
    if (ids.empty()) return;
    uint64_t sum = 0;
    TrackRecord record;
    // A record that cannot be fetched (an artist or album node, a record gone) raises here,
    // before the status line is touched.
    for (const int32_t id : ids) {
        catalogue_->GetByID(id, record);
        sum += record.FileSize;
    }
    SetStatusText(SelectedSizeText(sum));
}

}  // namespace tracklore::ui
