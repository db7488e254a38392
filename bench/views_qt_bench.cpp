// The Qt front end over a full catalogue: a full rebuild of the views with the item models
// attached and the main window shown (offscreen), a click on a list's column header, and the
// Volumes page's build.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/drives.h"
#include "platform/locale.h"
#include "ui/main_window_qt.h"

namespace tracklore::bench {
namespace {

// A main form on a full catalogue, shown offscreen, its preferences in a private file.
class TFullForm {
public:
    explicit TFullForm(int records = TTracklore::kSlotCount)
        : registry_(std::filesystem::temp_directory_path() / "tracklore_gui_bench.reg") {
        form_ = std::make_unique<ui::TMainForm>(registry_.string());
        form_->Window().Catalogue().SetCapacity(records);
        for (TrackRecord& record : MakeSampleRecords(records))
            form_->Window().Catalogue().Insert(record);
        form_->resize(900, 600);
        form_->show();
        QApplication::processEvents();
    }
    ~TFullForm() {
        form_.reset();
        std::error_code ignored;
        std::filesystem::remove(registry_, ignored);
    }
    ui::TMainForm& Form() { return *form_; }

private:
    std::filesystem::path registry_;
    std::unique_ptr<ui::TMainForm> form_;
};

void BM_QtFullRebuild(benchmark::State& state) {
    TFullForm full;
    for (auto _ : state) {
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
        QApplication::processEvents();  // the views lay out and paint the new rows
    }
    state.counters["rows"] = full.Form().AllListView()->model()->rowCount();
}
BENCHMARK(BM_QtFullRebuild)->Unit(benchmark::kMillisecond);

// The same at the largest capacity, 1,048,576 records. Target: 1.5 s.
void BM_QtFullRebuildMillion(benchmark::State& state) {
    TFullForm full(TTracklore::kMaxCapacity);
    for (auto _ : state) {
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
        QApplication::processEvents();
    }
    state.counters["rows"] = full.Form().AllListView()->model()->rowCount();
}
BENCHMARK(BM_QtFullRebuildMillion)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_QtHeaderClickArtist(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QHeaderView* header = full.Form().AllListView()->horizontalHeader();
    for (auto _ : state) {
        // Each click flips the direction, so every one really reorders the rows.
        emit header->sectionClicked(2);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_QtHeaderClickArtist)->Unit(benchmark::kMillisecond);

void BM_QtSelectAllRows(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QTableView* list = full.Form().AllListView();
    for (auto _ : state) {
        list->selectAll();
        list->clearSelection();
    }
}
BENCHMARK(BM_QtSelectAllRows)->Unit(benchmark::kMillisecond);

// One keystroke in the quick filter box: the proxy refilters 32,769 rows and the list
// repaints. The typed text grows letter by letter through two words of a real record.
void BM_QtQuickFilterKeystroke(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QApplication::processEvents();
    auto* box = full.Form().findChild<QLineEdit*>("QF_Filter");
    QTableView* list = full.Form().AllListView();
    const QString typed =
        list->model()->index(list->model()->rowCount() / 2, 2).data().toString().left(6) + " " +
        list->model()->index(list->model()->rowCount() / 2, 3).data().toString().left(4);
    qsizetype length = 0;
    for (auto _ : state) {
        length = length % typed.size() + 1;
        box->setText(typed.left(length));
        QApplication::processEvents();
    }
    state.counters["rows"] = full.Form().Window().Views().AllList().RowCount();
}
BENCHMARK(BM_QtQuickFilterKeystroke)->Unit(benchmark::kMillisecond);

// The Volumes page in front, rebuilt as a rebuild of the views rebuilds it: the rows from
// the catalogue and the drive table, then the sorted table laid out and painted.
// Target: 20 ms.
void BM_QtVolumesPageBuild(benchmark::State& state) {
    TFullForm full;
    ui::TVolumesView& volumes = full.Form().Window().Views().Volumes();
    volumes.SetDriveSource([] { return platform::DriveTable(); });
    full.Form().Window().ShowPage(ui::TPage::Volumes);
    QApplication::processEvents();
    for (auto _ : state) {
        volumes.Rebuild(full.Form().Window().Catalogue());
        QApplication::processEvents();
    }
    state.counters["records"] = full.Form().Window().Catalogue().Count();
    state.counters["volumes"] = volumes.RowCount();
}
BENCHMARK(BM_QtVolumesPageBuild)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tracklore::locale::SetLocale("en_US");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
